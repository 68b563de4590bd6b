// Nobakuza: shogi on two boards at once.
#include "app/main_window.h"

int main(int argc, char** argv) {
    return nobakuza::runNobakuza(argc, argv);
}
