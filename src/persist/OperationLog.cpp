#include "persist/OperationLog.h"

#include <algorithm>

namespace vtg {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

void OperationLog::Open(const std::string& path) {
    Close();
    file_.reset(std::fopen(path.c_str(), "wb"));
}

void OperationLog::Write(std::string_view line) {
    if (!file_) return;
    std::fwrite(line.data(), 1, line.size(), file_.get());
    std::fflush(file_.get());
}

std::string LogLineWithText(std::string_view head, std::string_view text, std::string_view tail) {
    const std::size_t fixed = head.size() + tail.size() + kLineEnd.size();
    std::size_t room = OperationLog::kMaxTextLine > fixed ? OperationLog::kMaxTextLine - fixed : 0;
    if (text.size() > room) {
        while (room > 0 && IsContinuationByte(text[room])) --room;
        text = text.substr(0, room);
    }
    std::string line(head);
    const std::size_t start = line.size();
    line += text;
    std::replace_if(
        line.begin() + static_cast<std::ptrdiff_t>(start), line.end(), [](char c) { return c == '\r' || c == '\n'; },
        ' ');
    line += tail;
    line += kLineEnd;
    return line;
}

}  // namespace vtg
