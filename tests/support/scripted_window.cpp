#include "support/scripted_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <thread>

namespace nobakuza::testing {

namespace {

bool same(double a, double b) {
    return std::abs(a - b) < 1e-6;
}

}  // namespace

void ScriptedWindow::paintPicture(double x, double y, int code) {
    DrawCall c;
    c.kind = DrawCall::Kind::picture;
    c.x = x;
    c.y = y;
    c.code = code;
    calls.push_back(c);
}

void ScriptedWindow::outlineRect(double x1, double y1, double x2, double y2, int colour) {
    DrawCall c;
    c.kind = DrawCall::Kind::outline;
    c.x = x1;
    c.y = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.colour = colour;
    calls.push_back(c);
}

void ScriptedWindow::fillRect(double x1, double y1, double x2, double y2, int colour) {
    DrawCall c;
    c.kind = DrawCall::Kind::fill;
    c.x = x1;
    c.y = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.colour = colour;
    calls.push_back(c);
}

void ScriptedWindow::printText(double x, double y, std::string_view text, int size, int colour,
                               bool bold) {
    DrawCall c;
    c.kind = DrawCall::Kind::text;
    c.x = x;
    c.y = y;
    c.text = text;
    c.size = size;
    c.colour = colour;
    c.bold = bold;
    calls.push_back(c);
}

void ScriptedWindow::tintRect(double x1, double y1, double x2, double y2, int colour,
                              double alpha) {
    DrawCall c;
    c.kind = DrawCall::Kind::tint;
    c.x = x1;
    c.y = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.colour = colour;
    c.alpha = alpha;
    calls.push_back(c);
}

void ScriptedWindow::printHaloText(double x, double y, std::string_view text, int size, int colour,
                                   bool bold, int haloColour) {
    printText(x, y, text, size, colour, bold);
    calls.back().halo = haloColour;
}

int ScriptedWindow::tintAt(double originX, double c, double r) const {
    const double x = cellX(originX, c);
    const double y = cellY(r);
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
        if (!same(it->x, x) || !same(it->y, y)) continue;
        if (it->kind == DrawCall::Kind::tint) return it->colour;
        if (it->kind == DrawCall::Kind::picture) return -1;
    }
    return -1;
}

void ScriptedWindow::refresh() {
    DrawCall c;
    c.kind = DrawCall::Kind::refresh;
    calls.push_back(c);
}

MessageAnswer ScriptedWindow::messageBox(std::string_view text, std::string_view title,
                                         MessageButtons buttons, bool warningIcon) {
    messages.push_back({std::string(text), std::string(title), buttons, warningIcon, calls.size()});
    if (buttons == MessageButtons::ok) return MessageAnswer::ok;
    if (answers.empty()) {
        ADD_FAILURE() << "no answer scripted for \"" << text << "\"";
        return MessageAnswer::no;
    }
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
}

void ScriptedWindow::pause(double seconds) {
    pauses.push_back(seconds);
    callsBeforePause.push_back(calls.size());
    now += seconds;
    if (onPause) onPause();
}

bool ScriptedWindow::pauseUntil(const std::atomic<bool>& finished, double seconds) {
    if (++waits == endAskedAtWait) return false;
    const auto start = std::chrono::steady_clock::now();
    const auto until = start + std::chrono::duration<double>(seconds);
    while (!finished.load() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    now += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return true;
}

bool ScriptedWindow::setFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::directory_iterator it(path, ec);
    if (ec) return false;
    panelFolder = path;
    return true;
}

int ScriptedWindow::pictureAt(double originX, double c, double r) const {
    const double x = cellX(originX, c);
    const double y = cellY(r);
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->kind == DrawCall::Kind::picture && same(it->x, x) && same(it->y, y))
            return it->code;
    return noPicture;
}

int ScriptedWindow::outlineAt(double originX, double c, double r) const {
    const double x = cellX(originX, c);
    const double y = cellY(r);
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->kind == DrawCall::Kind::outline && same(it->x, x) && same(it->y, y) &&
            same(it->x2, x + squareWidth) && same(it->y2, y + squareHeight))
            return it->colour;
    return -1;
}

const DrawCall* ScriptedWindow::textAt(double x, double y) const {
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->kind == DrawCall::Kind::text && same(it->x, x) && same(it->y, y)) return &*it;
    return nullptr;
}

std::vector<DrawCall> ScriptedWindow::textsSince(std::size_t first) const {
    std::vector<DrawCall> out;
    for (std::size_t i = first; i < calls.size(); ++i)
        if (calls[i].kind == DrawCall::Kind::text) out.push_back(calls[i]);
    return out;
}

TemporaryFolder::TemporaryFolder() : previous_(std::filesystem::current_path()) {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("nobakuza-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

void TemporaryFolder::write(const std::string& name, std::string_view bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string silentWav(int samples) {
    auto le32 = [](std::string& s, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
    };
    auto le16 = [](std::string& s, std::uint16_t v) {
        s.push_back(static_cast<char>(v & 0xff));
        s.push_back(static_cast<char>(v >> 8));
    };
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples) * 2;
    std::string w = "RIFF";
    le32(w, 36 + dataBytes);
    w += "WAVEfmt ";
    le32(w, 16);
    le16(w, 1);      // PCM
    le16(w, 1);      // mono
    le32(w, 22050);  // sample rate
    le32(w, 44100);  // byte rate
    le16(w, 2);      // block align
    le16(w, 16);     // bits per sample
    w += "data";
    le32(w, dataBytes);
    w.append(dataBytes, '\0');
    return w;
}

}  // namespace nobakuza::testing
