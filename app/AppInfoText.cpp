#include "AppInfoText.h"

#include "AppInfo.h"

#include <string>

namespace velkrant::AppInfoText {

namespace {

std::u16string Decimal(int number) {
    return QString::number(number).toStdU16String();
}

}  // namespace

QString MainCaption() {
    return QString::fromUtf16(AppInfo::Title) + QStringLiteral(" V") + QString::number(AppInfo::Major) +
           QStringLiteral(".") + QString::number(AppInfo::Minor);
}

Message AboutMessage() {
    const std::u16string lines[] = {
        AppInfo::ProductName,
        u"Version " + Decimal(AppInfo::Major) + u"." + Decimal(AppInfo::Minor) + u"." + Decimal(AppInfo::Revision),
        u"",
        AppInfo::AuthorCredit,
        AppInfo::ContactLine,
        u"",
        std::u16string(AppInfo::LegalCopyright) + u" " + AppInfo::CompanyName,
    };
    std::u16string text;
    for (const std::u16string& line : lines) {
        if (&line != &lines[0]) text += u"\r\n";
        text += line;
    }
    return {text, TitleAbout, MessageIcon::Information};
}

}  // namespace velkrant::AppInfoText
