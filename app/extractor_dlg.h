// The main dialog: the image, the game version and the output folder, and the "Extract" command.
#pragma once

#include "extract/run_extraction.h"

#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <cstdint>
#include <functional>

class QButtonGroup;
class QLineEdit;

class CExtractorDlg : public QDialog {
public:
    // The pickers and the message box. The dialog only ever talks to the user through these, so
    // they can be replaced to drive it without one.
    struct Prompts {
        // Returns the chosen file's path, or an empty text when the user cancelled.
        std::function<QString(QWidget* parent, const QString& start, const QString& filter)> openFile;
        // Returns the chosen folder, or an empty text when the user cancelled.
        std::function<QString(QWidget* parent, const QString& title, const QString& start)> chooseFolder;
        std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                           const QString& text)>
            message;
    };
    // The extraction the "Extract" command runs; RunExtraction unless replaced.
    using Extraction = std::function<std::int32_t(const char* romPath, const char* outputFolder,
                                                  std::int32_t versionIndex, ExtractionReport* report)>;

    explicit CExtractorDlg(QWidget* parent = nullptr);
    ~CExtractorDlg() override;

    // The real file and folder pickers and message box.
    static Prompts DefaultPrompts();
    void SetPrompts(Prompts prompts) { prompts_ = std::move(prompts); }
    void SetExtraction(Extraction run) { run_ = std::move(run); }

    // Saves the controls into the members (true) or loads the members into the controls (false).
    bool UpdateData(bool save = true);

    void OnBrowseRom();
    void OnBrowseFolder();
    // "Extract": reached by the button and by Enter, since it is the default button.
    void OnOK();

    QString m_strFolder;
    QString m_strRomPath;
    // Index of the checked version button: 0 "DM snes JP 1.0", 1 "DM snes US", -1 none.
    int m_nVersion = -1;

protected:
    virtual void DoDataExchange(bool save);

private:
    void CreateControls();
    void ShowMessage(QMessageBox::Icon icon, const QString& text);
    void TellOutcome(std::int32_t result, const ExtractionReport& report);

    QLineEdit* romEdit_ = nullptr;
    QLineEdit* folderEdit_ = nullptr;
    QButtonGroup* versions_ = nullptr;
    Prompts prompts_;
    Extraction run_;
};
