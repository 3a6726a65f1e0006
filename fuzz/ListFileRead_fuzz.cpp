// Reading any file as a list: never fails on a readable file, gives the
// file's text with every CR, CR LF ending turned into one CR LF and none
// after the last line, a lone LF kept inside its line; and a list it
// writes reads back as the same text wherever the code page holds it.

#include "FuzzSupport.h"
#include "ListFile.h"

#include <QString>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <unistd.h>

using namespace velkrant;
using namespace velkrant::fuzz;

namespace {

// One file per process, so parallel fuzzing jobs never share it.
const QString& ScratchPath() {
    static const QString path = QString::fromStdString(
        (std::filesystem::temp_directory_path() / ("velkrant-fuzz-list-" + std::to_string(getpid()) + ".lst"))
            .string());
    return path;
}

void WriteFile(const QString& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Require(static_cast<bool>(out), "the scratch file is written");
}

// The lines as a list of strings, then joined: a different route to the
// text the reader builds in one pass.
std::u16string ExpectedBoxText(std::u16string_view fileText) {
    std::vector<std::u16string> lines(1);
    for (std::size_t i = 0; i < fileText.size(); ++i) {
        if (fileText[i] == u'\r') {
            if (i + 1 < fileText.size() && fileText[i + 1] == u'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(fileText[i]);
        }
    }
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    std::u16string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) joined += u"\r\n";
        joined += lines[i];
    }
    return joined;
}

std::u16string Read(const QString& path) {
    try {
        return ListFile::Read(path);
    } catch (const NumberedError&) {
        Require(false, "a readable file always reads");
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString& path = ScratchPath();
    WriteFile(path, data, size);
    const std::u16string box = Read(path);
    Require(box == ExpectedBoxText(ListFile::DecodeBytes(BytesView(data, size))),
            "the lines are the file's, ended by CR LF, none after the last");

    // Writing adds one CR LF after the text; read back, that ending goes
    // again. Only text the code page holds and reads the same way can
    // come back unchanged.
    if (ListFile::DecodeBytes(CodePage::TextToBytes(box)) == box) {
        ListFile::Write(path, QString::fromStdU16String(box));
        Require(Read(path) == box, "a written list reads back as its text");
    }
    std::filesystem::remove(path.toStdString());
    return 0;
}
