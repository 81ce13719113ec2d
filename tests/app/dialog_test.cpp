// The main dialog, driven on the offscreen platform with its pickers and message box replaced.
#include "app/extractor_dlg.h"

#include "extract/output_folders.h"
#include "extract/run_extraction.h"
#include "platform/file.h"
#include "tests/support/rom_builder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Box {
    QMessageBox::Icon icon;
    QString caption;
    QString text;
    bool waitCursorShown;
};

bool WaitCursorShown() {
    return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

class DialogTest : public ::testing::Test {
public:
    DialogTest() {
        CExtractorDlg::Prompts prompts;
        prompts.openFile = [this](QWidget*, const QString& start, const QString& filter) {
            romPickerStarts.push_back(start);
            romFilters.push_back(filter);
            if (duringPick) duringPick();
            return pickedRom;
        };
        prompts.chooseFolder = [this](QWidget*, const QString& title, const QString& start) {
            folderPickerTitles.push_back(title);
            folderPickerStarts.push_back(start);
            if (duringPick) duringPick();
            return pickedFolder;
        };
        prompts.message = [this](QWidget*, QMessageBox::Icon icon, const QString& caption,
                                 const QString& text) {
            boxes.push_back({icon, caption, text, WaitCursorShown()});
        };
        dialog.SetPrompts(prompts);
        dialog.SetExtraction([this](const char* rom, const char* folder, std::int32_t version,
                                    ExtractionReport* report) {
            runs.push_back({rom, folder, version, WaitCursorShown()});
            if (runInstead) return runInstead(rom, folder, version, report);
            return RunExtraction(rom, folder, version, report);
        });
        dialog.show();
    }

    QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
    QRadioButton* Radio(const char* name) { return Find<QRadioButton>(name); }
    template <class Widget>
    Widget* Find(const char* name) {
        auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
        if (!widget) ADD_FAILURE() << "no control " << name;
        return widget;
    }

    // Types into the controls as a user would; version -1 leaves both buttons clear.
    void Fill(const std::string& rom, int version, const std::string& folder) {
        Edit("romEdit")->setText(Q(rom));
        Edit("folderEdit")->setText(Q(folder));
        if (version == 0) QTest::mouseClick(Radio("versionJp10"), Qt::LeftButton);
        if (version == 1) QTest::mouseClick(Radio("versionUs"), Qt::LeftButton);
    }
    void ClickExtract() { QTest::mouseClick(Button("extract"), Qt::LeftButton); }

    // The version buttons as a text: "JP", "US" or "none".
    std::string CheckedVersion() {
        if (Radio("versionJp10")->isChecked()) return "JP";
        if (Radio("versionUs")->isChecked()) return "US";
        return "none";
    }

    std::string GoodImage() {
        const std::string path = dir / "dm.smc";
        test::RomBuilder().WriteTo(path);
        return path;
    }

    // Runs the fixture image into a fresh folder and expects "Done".
    void ExpectGoodRun() {
        const std::string output = dir / ("out" + std::to_string(runs.size()));
        std::filesystem::create_directory(output);
        Edit("romEdit")->setText(Q(GoodImage()));
        Edit("folderEdit")->setText(Q(output));
        if (CheckedVersion() == "none") QTest::mouseClick(Radio("versionJp10"), Qt::LeftButton);
        boxes.clear();
        ClickExtract();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].icon, QMessageBox::Information);
        EXPECT_EQ(boxes[0].text, "Done");
        EXPECT_TRUE(test::FileExists(output + "/Raw/694.bin"));
    }

    struct Run {
        std::string rom;
        std::string folder;
        std::int32_t version;
        bool waitCursorShown;
    };

    test::TempDir dir;
    CExtractorDlg dialog;
    std::vector<Box> boxes;
    std::vector<Run> runs;
    CExtractorDlg::Extraction runInstead;
    std::vector<QString> romPickerStarts, romFilters, folderPickerTitles, folderPickerStarts;
    QString pickedRom, pickedFolder;
    std::function<void()> duringPick;
};

TEST_F(DialogTest, OpensWithTheTemplatesControlsAndNothingChosen) {
    EXPECT_EQ(dialog.windowTitle(), "Quillmere");

    struct Expected {
        const char* name;
        const char* className;
        const char* text;
    };
    const Expected controls[] = {
        {"romLabel", "QLabel", "DM.SMC:"},         {"romEdit", "QLineEdit", ""},
        {"romBrowse", "QPushButton", "..."},       {"versionJp10", "QRadioButton", "DM snes JP 1.0"},
        {"versionUs", "QRadioButton", "DM snes US"}, {"folderLabel", "QLabel", "New folder:"},
        {"folderEdit", "QLineEdit", ""},           {"folderBrowse", "QPushButton", "..."},
        {"extract", "QPushButton", "Extract"},     {"close", "QPushButton", "Close"},
    };
    for (const Expected& control : controls) {
        SCOPED_TRACE(control.name);
        QWidget* widget = Find<QWidget>(control.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), control.className);
        EXPECT_TRUE(widget->isVisible());
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) text = edit->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
        EXPECT_EQ(text, control.text);
    }

    // "Extract" is the only default button.
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        EXPECT_EQ(button->isDefault(), button->objectName() == "extract") << button->objectName().toStdString();

    EXPECT_EQ(CheckedVersion(), "none");
    EXPECT_EQ(dialog.m_nVersion, -1);
    EXPECT_TRUE(dialog.m_strRomPath.isEmpty());
    EXPECT_TRUE(dialog.m_strFolder.isEmpty());
}

TEST_F(DialogTest, ControlsSitWhereTheTemplatePutsThem) {
    auto rect = [&](const char* name) { return Find<QWidget>(name)->geometry(); };
    // Rows: the image row, the two version buttons, the folder row, the two commands.
    EXPECT_EQ(rect("romLabel").top(), rect("romEdit").top());
    EXPECT_EQ(rect("romEdit").top(), rect("romBrowse").top());
    EXPECT_LT(rect("romEdit").bottom(), rect("versionUs").top());
    EXPECT_LT(rect("versionJp10").top(), rect("versionUs").top());
    EXPECT_LT(rect("versionUs").top(), rect("folderEdit").top());
    EXPECT_EQ(rect("folderLabel").top(), rect("folderEdit").top());
    EXPECT_LT(rect("folderEdit").bottom(), rect("extract").top());
    EXPECT_EQ(rect("extract").top(), rect("close").top());
    // Columns: labels, then edits and version buttons, then "..."; "Extract" left of "Close".
    EXPECT_LT(rect("romLabel").right(), rect("romEdit").left());
    EXPECT_EQ(rect("romEdit").left(), rect("versionJp10").left());
    EXPECT_EQ(rect("romEdit").left(), rect("folderEdit").left());
    EXPECT_LT(rect("romEdit").right(), rect("romBrowse").left());
    EXPECT_EQ(rect("romBrowse").left(), rect("folderBrowse").left());
    EXPECT_LT(rect("extract").right(), rect("close").left());
    EXPECT_EQ(rect("close").right(), rect("folderBrowse").right());
    // Labels show their whole text, whatever the font.
    for (const char* name : {"romLabel", "folderLabel"}) {
        auto* label = Find<QLabel>(name);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << name;
    }
    // Everything inside the dialog, whose size is fixed.
    for (QWidget* widget : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(dialog.rect().contains(widget->geometry())) << widget->objectName().toStdString();
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}

// The version buttons have no tab stop; once one is clicked the arrow keys move between them.
TEST_F(DialogTest, TabVisitsTheControlsInTheTemplatesOrder) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    Edit("romEdit")->setFocus();
    std::vector<std::string> order;
    for (int press = 0; press < 7; ++press) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        order.push_back(focus->objectName().toStdString());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"romEdit", "romBrowse", "folderEdit", "folderBrowse",
                                               "extract", "close", "romEdit"}));

    QTest::mouseClick(Radio("versionJp10"), Qt::LeftButton);
    QTest::keyClick(Radio("versionJp10"), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), Radio("versionUs"));
    EXPECT_EQ(CheckedVersion(), "US");
}

struct IncompleteCase {
    const char* name;
    bool rom;
    int version;
    bool folder;
};

class IncompleteInputTest : public DialogTest, public ::testing::WithParamInterface<IncompleteCase> {};

TEST_P(IncompleteInputTest, ExtractDoesNothingAtAll) {
    const IncompleteCase& input = GetParam();
    const std::string output = dir / "out";
    std::filesystem::create_directory(output);
    Fill(input.rom ? GoodImage() : "", input.version, input.folder ? output : "");
    ClickExtract();
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(test::FileExists(output + "/Raw"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(dialog.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Dialog, IncompleteInputTest,
                         ::testing::Values(IncompleteCase{"Fresh", false, -1, false},
                                           IncompleteCase{"NoVersion", true, -1, true},
                                           IncompleteCase{"NoImage", false, 1, true},
                                           IncompleteCase{"NoFolder", true, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct VersionCase {
    const char* radio;
    std::int32_t index;
};

class ExtractTest : public DialogTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(ExtractTest, RunWritesTheRawTreeAndSaysDone) {
    const std::string rom = GoodImage();
    const std::string output = dir / "out";
    std::filesystem::create_directory(output);
    Edit("romEdit")->setText(Q(rom));
    Edit("folderEdit")->setText(Q(output));
    QTest::mouseClick(Radio(GetParam().radio), Qt::LeftButton);
    ClickExtract();

    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].rom, rom);
    EXPECT_EQ(runs[0].folder, output);
    EXPECT_EQ(runs[0].version, GetParam().index);
    EXPECT_TRUE(runs[0].waitCursorShown);
    for (unsigned item = 0; item < 695; ++item) {
        char name[16];
        std::snprintf(name, sizeof name, "/Raw/%03u.bin", item);
        ASSERT_TRUE(test::FileExists(output + name)) << name;
    }
    EXPECT_FALSE(test::FileExists(output + "/Raw/695.bin"));

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Information);
    EXPECT_EQ(boxes[0].caption, "Quillmere");
    EXPECT_EQ(boxes[0].text, "Done");
    EXPECT_FALSE(boxes[0].waitCursorShown);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The dialog stays open showing what it showed, and a second run goes into the same folder.
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Edit("romEdit")->text(), Q(rom));
    EXPECT_EQ(Edit("folderEdit")->text(), Q(output));
    test::WriteFile(output + "/Raw/000.bin", {1, 2, 3});
    ClickExtract();
    EXPECT_EQ(runs.size(), 2u);
    EXPECT_TRUE(test::ReadFile(output + "/Raw/000.bin").empty());
    EXPECT_EQ(boxes.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Dialog, ExtractTest,
                         ::testing::Values(VersionCase{"versionJp10", 0}, VersionCase{"versionUs", 1}),
                         [](const auto& info) { return std::string(info.param.radio); });

class EnterTest : public DialogTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EnterTest, EnterInAnEditRunsTheExtraction) {
    const std::string output = dir / "out";
    std::filesystem::create_directory(output);
    Fill(GoodImage(), 1, output);
    QTest::keyClick(Edit(GetParam()), Qt::Key_Return);
    EXPECT_EQ(runs.size(), 1u);
    EXPECT_TRUE(test::FileExists(output + "/Raw/000.bin"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Done");
    EXPECT_TRUE(dialog.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Dialog, EnterTest, ::testing::Values("romEdit", "folderEdit"),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(DialogTest, CancelledPickersChangeNothing) {
    Fill("typed.smc", 1, dir.Path());
    QTest::mouseClick(Button("romBrowse"), Qt::LeftButton);
    QTest::mouseClick(Button("folderBrowse"), Qt::LeftButton);
    EXPECT_EQ(romPickerStarts.size(), 1u);
    EXPECT_EQ(folderPickerStarts.size(), 1u);
    EXPECT_EQ(Edit("romEdit")->text(), "typed.smc");
    EXPECT_EQ(Edit("folderEdit")->text(), Q(dir.Path()));
    EXPECT_EQ(CheckedVersion(), "US");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DialogTest, PickersStartFromTheTexts) {
    Fill("/some/where/dm.smc", -1, dir.Path());
    QTest::mouseClick(Button("romBrowse"), Qt::LeftButton);
    QTest::mouseClick(Button("folderBrowse"), Qt::LeftButton);
    ASSERT_EQ(romPickerStarts.size(), 1u);
    EXPECT_EQ(romPickerStarts[0], "/some/where/dm.smc");
    EXPECT_EQ(romFilters[0], "DM.SMC (*.smc)");
    ASSERT_EQ(folderPickerStarts.size(), 1u);
    EXPECT_EQ(folderPickerStarts[0], Q(dir.Path()));
    EXPECT_EQ(folderPickerTitles[0], "Select folder for extraction.");
}

TEST_F(DialogTest, FolderPickerOpensOnlyOnAnExistingFolder) {
    test::WriteFile(dir / "file", {1});
    struct Case {
        std::string text;
        std::optional<QString> start;  // none: the picker stays shut
    };
    const Case cases[] = {
        {"", QDir::currentPath()},
        {dir.Path(), Q(dir.Path())},
        {dir / "missing", std::nullopt},
        {dir / "missing/deeper", std::nullopt},
        {dir / "file", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        folderPickerStarts.clear();
        Edit("folderEdit")->setText(Q(c.text));
        QTest::mouseClick(Button("folderBrowse"), Qt::LeftButton);
        if (c.start) {
            ASSERT_EQ(folderPickerStarts.size(), 1u);
            EXPECT_EQ(folderPickerStarts[0], *c.start);
        } else {
            EXPECT_TRUE(folderPickerStarts.empty());
        }
        EXPECT_EQ(Edit("folderEdit")->text(), Q(c.text));
    }
}

// A pick reloads every control from the members, which hold what the controls showed when the
// button was pressed: whatever changed while the picker was open is undone.
TEST_F(DialogTest, PickReloadsTheControlsFromTheMembers) {
    struct Case {
        const char* button;
        const char* pickedEdit;
        const char* otherEdit;
    };
    const Case cases[] = {{"romBrowse", "romEdit", "folderEdit"},
                          {"folderBrowse", "folderEdit", "romEdit"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Edit("romEdit")->setText("typed.smc");
        Edit("folderEdit")->setText(Q(dir.Path()));
        QTest::mouseClick(Radio("versionUs"), Qt::LeftButton);
        const QString otherBefore = Edit(c.otherEdit)->text();
        pickedRom = Q(dir / "picked.smc");
        pickedFolder = Q(dir / "picked");
        duringPick = [&] {
            Edit(c.otherEdit)->setText("changed meanwhile");
            Radio("versionJp10")->setChecked(true);
        };
        QTest::mouseClick(Button(c.button), Qt::LeftButton);
        duringPick = nullptr;

        const QString picked = QString(c.pickedEdit) == "romEdit" ? pickedRom : pickedFolder;
        EXPECT_EQ(Edit(c.pickedEdit)->text(), picked);
        EXPECT_EQ(Edit(c.otherEdit)->text(), otherBefore);
        EXPECT_EQ(CheckedVersion(), "US");
        EXPECT_EQ(dialog.m_nVersion, 1);
        EXPECT_EQ(QString(c.pickedEdit) == "romEdit" ? dialog.m_strRomPath : dialog.m_strFolder, picked);
    }
}

TEST_F(DialogTest, DataExchangeLoadsAndSavesTheMembers) {
    const int versions[] = {0, 1, -1};
    for (int version : versions) {
        SCOPED_TRACE(version);
        dialog.m_strRomPath = "rom.smc";
        dialog.m_strFolder = "out";
        dialog.m_nVersion = version;
        ASSERT_TRUE(dialog.UpdateData(false));
        EXPECT_EQ(Edit("romEdit")->text(), "rom.smc");
        EXPECT_EQ(Edit("folderEdit")->text(), "out");
        EXPECT_EQ(CheckedVersion(), version == 0 ? "JP" : version == 1 ? "US" : "none");
        dialog.m_strRomPath.clear();
        dialog.m_strFolder.clear();
        dialog.m_nVersion = 7;
        ASSERT_TRUE(dialog.UpdateData(true));
        EXPECT_EQ(dialog.m_strRomPath, "rom.smc");
        EXPECT_EQ(dialog.m_strFolder, "out");
        EXPECT_EQ(dialog.m_nVersion, version);
    }
    // The buttons stay exclusive after being cleared.
    QTest::mouseClick(Radio("versionJp10"), Qt::LeftButton);
    QTest::mouseClick(Radio("versionUs"), Qt::LeftButton);
    EXPECT_EQ(CheckedVersion(), "US");
}

struct FailureCase {
    const char* name;
    // Prepares the inputs in a temporary folder: the image path and the output folder.
    std::function<std::pair<std::string, std::string>(const test::TempDir&)> prepare;
    // Texts the message holds, besides the paths named by which ("rom", "folder", "raw").
    std::vector<std::string> reasons;
    std::vector<std::string> paths;
};

class FailureTest : public DialogTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, ErrorNamesThePathAndReasonAndTheDialogStaysUsable) {
    const auto [rom, output] = GetParam().prepare(dir);
    Fill(rom, 0, output);
    ClickExtract();

    ASSERT_EQ(boxes.size(), 1u);
    const Box box = boxes[0];
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.caption, "Quillmere");
    EXPECT_FALSE(box.waitCursorShown);
    for (const std::string& which : GetParam().paths) {
        const std::string path = which == "rom" ? rom : which == "folder" ? output : output + "/Raw";
        EXPECT_TRUE(box.text.contains(Q(path))) << box.text.toStdString() << " lacks " << path;
    }
    for (const std::string& reason : GetParam().reasons)
        EXPECT_TRUE(box.text.contains(Q(reason))) << box.text.toStdString() << " lacks " << reason;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(dialog.isVisible());

    ExpectGoodRun();
}

std::pair<std::string, std::string> WithOutput(const test::TempDir& dir, const std::string& rom) {
    std::filesystem::create_directory(dir / "out");
    return {rom, dir / "out"};
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, FailureTest,
    ::testing::Values(
        FailureCase{"MissingImage",
                    [](const test::TempDir& dir) { return WithOutput(dir, dir / "missing.smc"); },
                    {std::strerror(ENOENT)},
                    {"rom"}},
        FailureCase{"ImageIsAFolder",
                    [](const test::TempDir& dir) { return WithOutput(dir, dir.Path()); },
                    {std::strerror(EISDIR)},
                    {"rom"}},
        FailureCase{"ImageCutInsideTypeTable",
                    [](const test::TempDir& dir) {
                        test::RomBuilder().Truncate(test::kTypeTable + 100).WriteTo(dir / "cut.smc");
                        return WithOutput(dir, dir / "cut.smc");
                    },
                    {"item type table"},
                    {"rom"}},
        FailureCase{"FolderWithoutParent",
                    [](const test::TempDir& dir) {
                        test::RomBuilder().WriteTo(dir / "dm.smc");
                        return std::pair<std::string, std::string>(dir / "dm.smc", dir / "no/such");
                    },
                    {std::strerror(ENOENT)},
                    {"raw"}},
        FailureCase{"FolderTooLong",
                    [](const test::TempDir& dir) {
                        test::RomBuilder().WriteTo(dir / "dm.smc");
                        return std::pair<std::string, std::string>(dir / "dm.smc",
                                                                   dir / std::string(250, 'x'));
                    },
                    {std::strerror(ENAMETOOLONG)},
                    {"folder"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, FileErrorDuringARunIsToldAndTheDialogStaysUsable) {
    runInstead = [](const char* rom, const char*, std::int32_t, ExtractionReport*) -> std::int32_t {
        throw platform::FileError("read", rom, EIO);
    };
    const std::string rom = GoodImage();
    Fill(rom, 1, dir.Path());
    ClickExtract();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(boxes[0].caption, "Quillmere");
    EXPECT_TRUE(boxes[0].text.contains(Q(rom))) << boxes[0].text.toStdString();
    EXPECT_TRUE(boxes[0].text.contains(std::strerror(EIO))) << boxes[0].text.toStdString();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    runInstead = nullptr;
    ExpectGoodRun();
}

TEST_F(DialogTest, OutputThatCouldNotBeMadeGivesAWarningInsteadOfDone) {
    const std::string output = dir / "out";
    // Folders where two raw item files should go: those files cannot be created.
    std::filesystem::create_directories(output + "/Raw/005.bin");
    std::filesystem::create_directories(output + "/Raw/006.bin");
    // A plain file where the creature folder should go: that stage cannot run.
    test::WriteFile(output + "/Creatures", {1});
    Fill(GoodImage(), 0, output);
    ClickExtract();
    ASSERT_EQ(boxes.size(), 1u);
    const QString text = boxes[0].text;
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
    EXPECT_EQ(boxes[0].caption, "Quillmere");
    EXPECT_TRUE(text.contains(Q(output + "/Raw: 2 files could not be written"))) << text.toStdString();
    EXPECT_TRUE(text.contains(Q(output + "/Creatures: cannot create the folder"))) << text.toStdString();
    EXPECT_FALSE(text.contains("/Snd")) << text.toStdString();
    EXPECT_FALSE(text.contains("Done"));
    // The run went on past both.
    EXPECT_TRUE(test::FileExists(output + "/Raw/694.bin"));
    EXPECT_TRUE(test::FileExists(output + "/Snd"));
}

class CloseTest : public DialogTest,
                  public ::testing::WithParamInterface<std::pair<const char*, void (*)(DialogTest&)>> {};

TEST_P(CloseTest, EndsTheDialogWithoutARun) {
    Fill(GoodImage(), 0, dir.Path());
    GetParam().second(*this);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, CloseTest,
    ::testing::Values(
        std::pair<const char*, void (*)(DialogTest&)>{
            "Escape", [](DialogTest& t) { QTest::keyClick(t.Edit("romEdit"), Qt::Key_Escape); }},
        std::pair<const char*, void (*)(DialogTest&)>{
            "CloseButton", [](DialogTest& t) { QTest::mouseClick(t.Button("close"), Qt::LeftButton); }},
        std::pair<const char*, void (*)(DialogTest&)>{"CloseBox",
                                                      [](DialogTest& t) { t.dialog.close(); }}),
    [](const auto& info) { return std::string(info.param.first); });

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
