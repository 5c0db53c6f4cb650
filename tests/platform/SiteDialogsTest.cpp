// Message-box buttons and results, file-dialog filters, and dialogs on the offscreen platform.
#include <gtest/gtest.h>

#include "platform/Dialogs.h"

namespace vtg {
namespace {

struct BoxCase {
    unsigned flags;
    std::vector<int> buttons;
    int defaultResult;
    int escapeResult;
};

TEST(MessageBoxes, ButtonsDefaultsAndEscapeFollowTheFlags) {
    const BoxCase cases[] = {
        {MB_OK, {IDOK}, IDOK, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, {IDOK, IDCANCEL}, IDOK, IDCANCEL},
        {MB_OKCANCEL | MB_DEFBUTTON2, {IDOK, IDCANCEL}, IDCANCEL, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {IDABORT, IDRETRY, IDIGNORE}, IDIGNORE, IDABORT},
        {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, IDYES, IDCANCEL},
        {MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, {IDYES, IDNO}, IDNO, IDNO},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDRETRY, IDCANCEL},
        {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, IDCANCEL, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON4, {IDYES, IDNO}, IDYES, IDNO},  // no fourth button: the first
        {0xE, {IDOK}, IDOK, IDOK},                               // unknown button set
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.flags);
        EXPECT_EQ(MessageBoxResults(c.flags), c.buttons);
        EXPECT_EQ(MessageBoxDefaultResult(c.flags), c.defaultResult);
        EXPECT_EQ(MessageBoxEscapeResult(c.flags), c.escapeResult);
    }
}

TEST(FileDialogs, FiltersConvertToTheToolkitForm) {
    const std::pair<std::string, std::string> cases[] = {
        {"Q5 plot file (*.plx)|*.plx", "Q5 plot file (*.plx)"},
        {"Q5 plot file (*.plx)|*.plx||", "Q5 plot file (*.plx)"},
        {"Data|*.txt;*.csv|All files (*.*)|*.*||", "Data (*.txt *.csv);;All files (*)"},
        {std::string("Scripts\0*.ply\0", 14), "Scripts (*.ply)"},
        {"Stale (*.old)|*.new", "Stale (*.new)"},  // the patterns that apply are shown
        {"Lonely description", "Lonely description (*)"},
        {"|*.plx", "*.plx (*.plx)"},
        {" | ; ", ""},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(ConvertFileFilter(in), out) << in;
}

TEST(DialogsHeadless, DialogsAnswerAtOnceOnTheOffscreenPlatform) {
    ASSERT_TRUE(IsHeadless());
    EXPECT_EQ(ShowMessageBox("text", "caption", MB_YESNO), 0);
    EXPECT_EQ(ShowOpenFileDialog("Open", "*.plx"), std::nullopt);
    EXPECT_EQ(ShowSaveFileDialog("Save", "*.plx", "a.plx"), std::nullopt);
}

}  // namespace
}  // namespace vtg
