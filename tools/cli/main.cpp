#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: nobakuza-cli <survey|analyze|selfplay> ...\n");
        return 2;
    }
    std::fprintf(stderr, "nobakuza-cli: unknown command '%s'\n", argv[1]);
    return 2;
}
