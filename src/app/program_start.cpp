#include "app/program_start.h"

#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/command_line.h"

namespace nobakuza {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

[[noreturn]] void endWithoutWindow(const std::string& display) {
    const std::string line = noWindowMessage(display, commandLineTranslator());
    (void)!::write(STDERR_FILENO, line.data(), line.size());
    std::_Exit(1);
}

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const std::string display = environment("DISPLAY");
        endWithoutWindow(display.empty() ? environment("WAYLAND_DISPLAY") : display);
    }
    heldMessages.push_back({type, context.category != nullptr ? context.category : "", text});
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char** argv) {
    // The game reads the settings itself; the answers here read them only when there is one.
    if (argc <= 1) return std::nullopt;
    const CommandLine c = readCommandLine(argc, argv, commandLineTranslator());
    if (c.startGame) return std::nullopt;
    std::fputs(c.output.c_str(), stdout);
    std::fputs(c.error.c_str(), stderr);
    return c.status;
}

void holdQtMessages() {
    previousHandler = qInstallMessageHandler(holdMessage);
}

void passOnQtMessages() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& m : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.c_str());
        qt_message_output(m.type, context, m.text);
    }
    heldMessages.clear();
}

}  // namespace nobakuza
