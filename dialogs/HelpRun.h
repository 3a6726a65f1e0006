#pragma once
// Opening a help file with the desktop's own handler for it.
//
// The platform hands the file to whatever program the user associated
// with its type. A topic travels as the address's fragment ("guide.html#3"),
// which browsers and help viewers that take one go to and others ignore.
// Nothing is reported back: a missing file or a failing handler simply
// shows nothing.

#include <QString>

#include <cstdint>

namespace velkrant::HelpRun {

/// The help command that asks for a topic by its context number.
inline constexpr std::int16_t CommandContext = 1;
/// The help command that closes help: there is nothing to open.
inline constexpr std::int16_t CommandQuit = 2;

struct Request {
    QString file;  // a path (relative to the current folder) or an address
    std::int16_t command = 0;
    std::int32_t context = 0;  // the topic with CommandContext
    QString key;  // the topic with any other command; empty: none
};

/// Opens the request's file at its topic with the desktop's handler. There
/// is nothing to open without a file, for a missing local file, or with
/// CommandQuit.
///
///     Open({"guide.html", CommandContext, 42, {}});  // file:///current/folder/guide.html#42
void Open(const Request& request);

}  // namespace velkrant::HelpRun
