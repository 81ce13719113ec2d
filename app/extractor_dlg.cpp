#include "app/extractor_dlg.h"

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>

namespace {

constexpr char kCaption[] = "Quillmere";
constexpr char kRomFilter[] = "DM.SMC (*.smc)";
constexpr char kFolderTitle[] = "Select folder for extraction.";

// Template 101, in dialog units: the dialog's size and its controls in tab order.
constexpr int kDialogWidth = 158;
constexpr int kDialogHeight = 81;

enum class Control { Label, Edit, Button, Radio, DefaultButton };

struct ControlTemplate {
    Control kind;
    const char* name;  // objectName
    const char* text;
    int x, y, width, height;
};

constexpr ControlTemplate kControls[] = {
    {Control::Label, "romLabel", "DM.SMC:", 5, 5, 27, 8},
    {Control::Edit, "romEdit", "", 45, 5, 85, 14},
    {Control::Button, "romBrowse", "...", 133, 5, 18, 14},
    {Control::Radio, "versionJp10", "DM snes JP 1.0", 45, 20, 62, 10},
    {Control::Radio, "versionUs", "DM snes US", 45, 30, 53, 10},
    {Control::Label, "folderLabel", "New folder:", 5, 40, 34, 8},
    {Control::Edit, "folderEdit", "", 45, 40, 85, 14},
    {Control::Button, "folderBrowse", "...", 133, 40, 18, 14},
    {Control::DefaultButton, "extract", "Extract", 46, 60, 50, 14},
    {Control::Button, "close", "Close", 101, 60, 50, 14},
};

// Dialog units scale with the dialog's font: a horizontal unit is a quarter of the average width
// of the Latin letters, a vertical one an eighth of the character height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        baseX_ = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        baseY_ = metrics.height();
    }

    int X(int units) const { return (units * baseX_ + 2) / 4; }
    int Y(int units) const { return (units * baseY_ + 4) / 8; }
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(width), Y(height));
    }

private:
    int baseX_ = 0;
    int baseY_ = 0;
};

QByteArray LocalPath(const QString& text) { return QFile::encodeName(text); }

QString Reason(int error) {
    return error ? QString::fromLocal8Bit(std::strerror(error)) : QStringLiteral("unknown error");
}

QString Quoted(const QString& path) { return QStringLiteral("\"%1\"").arg(path); }

// The folder path a stage works in, joined the way the stages join it.
QString StageFolder(const QString& outputFolder, OutputFolder folder) {
    PathBuffer path(LocalPath(outputFolder).constData());
    path.Join(OutputFolderName(folder));
    return QFile::decodeName(path.Text());
}

// Keeps the wait cursor up while it lives, so that it goes away on every way out.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CExtractorDlg::CExtractorDlg(QWidget* parent)
    : QDialog(parent), prompts_(DefaultPrompts()), run_(RunExtraction) {
    setWindowTitle(QString::fromLatin1(kCaption));
    CreateControls();
    UpdateData(false);
}

CExtractorDlg::~CExtractorDlg() = default;

CExtractorDlg::Prompts CExtractorDlg::DefaultPrompts() {
    Prompts prompts;
    prompts.openFile = [](QWidget* parent, const QString& start, const QString& filter) {
        // getOpenFileName only returns a file that exists.
        return QFileDialog::getOpenFileName(parent, QString(), start, filter);
    };
    prompts.chooseFolder = [](QWidget* parent, const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
    };
    prompts.message = [](QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                         const QString& text) {
        QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    };
    return prompts;
}

void CExtractorDlg::CreateControls() {
    const DialogUnits units(font());
    setFixedSize(units.X(kDialogWidth), units.Y(kDialogHeight));

    versions_ = new QButtonGroup(this);
    QWidget* previous = nullptr;
    for (const ControlTemplate& control : kControls) {
        const QString text = QString::fromLatin1(control.text);
        QWidget* widget = nullptr;
        switch (control.kind) {
        case Control::Label: {
            auto* label = new QLabel(text, this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case Control::Edit:
            widget = new QLineEdit(this);
            break;
        case Control::Button:
        case Control::DefaultButton: {
            auto* button = new QPushButton(text, this);
            button->setDefault(control.kind == Control::DefaultButton);
            widget = button;
            break;
        }
        case Control::Radio: {
            auto* radio = new QRadioButton(text, this);
            // The template gives the version buttons no tab stop: Tab passes them by, a click
            // checks one and the arrow keys then move between them.
            radio->setFocusPolicy(Qt::ClickFocus);
            versions_->addButton(radio, versions_->buttons().size());
            widget = radio;
            break;
        }
        }
        widget->setObjectName(QString::fromLatin1(control.name));
        QRect rect = units.Rect(control.x, control.y, control.width, control.height);
        // The template's label widths fit its own font; a wider font would cut the colon off.
        // There is room up to the edit column.
        if (control.kind == Control::Label)
            rect.setWidth(std::max(rect.width(), widget->sizeHint().width()));
        widget->setGeometry(rect);
        if (widget->focusPolicy() & Qt::TabFocus) {
            if (previous) setTabOrder(previous, widget);
            previous = widget;
        }
    }

    romEdit_ = findChild<QLineEdit*>(QStringLiteral("romEdit"));
    folderEdit_ = findChild<QLineEdit*>(QStringLiteral("folderEdit"));
    connect(findChild<QPushButton*>(QStringLiteral("romBrowse")), &QPushButton::clicked, this,
            &CExtractorDlg::OnBrowseRom);
    connect(findChild<QPushButton*>(QStringLiteral("folderBrowse")), &QPushButton::clicked, this,
            &CExtractorDlg::OnBrowseFolder);
    connect(findChild<QPushButton*>(QStringLiteral("extract")), &QPushButton::clicked, this,
            &CExtractorDlg::OnOK);
    connect(findChild<QPushButton*>(QStringLiteral("close")), &QPushButton::clicked, this,
            &QDialog::reject);
}

bool CExtractorDlg::UpdateData(bool save) {
    DoDataExchange(save);
    return true;
}

void CExtractorDlg::DoDataExchange(bool save) {
    if (save) {
        m_strFolder = folderEdit_->text();
        m_strRomPath = romEdit_->text();
        m_nVersion = versions_->checkedId();  // -1 when neither is checked
        return;
    }
    folderEdit_->setText(m_strFolder);
    romEdit_->setText(m_strRomPath);
    // An exclusive group keeps one button checked; lift that while clearing both for -1.
    versions_->setExclusive(false);
    for (QAbstractButton* button : versions_->buttons())
        button->setChecked(versions_->id(button) == m_nVersion);
    versions_->setExclusive(true);
}

void CExtractorDlg::OnBrowseRom() {
    if (!UpdateData(true)) return;
    const QString path = prompts_.openFile(this, m_strRomPath, QString::fromLatin1(kRomFilter));
    if (path.isEmpty()) return;
    m_strRomPath = path;
    UpdateData(false);
}

void CExtractorDlg::OnBrowseFolder() {
    if (!UpdateData(true)) return;
    const QString start = m_strFolder.isEmpty() ? QDir::currentPath() : m_strFolder;
    // A text that names no existing folder gives the picker nothing to start from: it stays shut.
    if (!QFileInfo(start).isDir()) return;
    const QString folder = prompts_.chooseFolder(this, QString::fromLatin1(kFolderTitle), start);
    if (folder.isEmpty()) return;
    m_strFolder = folder;
    UpdateData(false);
}

void CExtractorDlg::OnOK() {
    if (!UpdateData(true)) return;
    if (m_strRomPath.isEmpty()) return;
    if (m_strFolder.isEmpty()) return;
    if (m_nVersion < 0) return;

    ExtractionReport report;
    std::int32_t result = kRunCompleted;
    QString stopped;
    {
        // Released before any box shows, so that the box gets the ordinary cursor.
        const WaitCursor wait;
        try {
            result = run_(LocalPath(m_strRomPath).constData(), LocalPath(m_strFolder).constData(),
                          m_nVersion, &report);
        } catch (const std::exception& error) {
            // A platform::FileError from the image's file object; its message names the
            // operation, the path and the reason.
            stopped = QStringLiteral("The extraction stopped: %1.").arg(QString::fromLocal8Bit(error.what()));
        }
    }
    if (!stopped.isEmpty()) {
        ShowMessage(QMessageBox::Critical, stopped);
        return;
    }
    TellOutcome(result, report);
}

void CExtractorDlg::TellOutcome(std::int32_t result, const ExtractionReport& report) {
    switch (result) {
    case kRunCompleted:
        break;
    case kRunImageNotOpened:
        ShowMessage(QMessageBox::Critical, QStringLiteral("Cannot open the image %1: %2.")
                                               .arg(Quoted(m_strRomPath), Reason(report.openError)));
        return;
    case kRunOutputFolderRefused:
        ShowMessage(QMessageBox::Critical,
                    QStringLiteral("Cannot extract into %1: %2 (every path below it must fit in %3 bytes).")
                        .arg(Quoted(m_strFolder), Reason(ENAMETOOLONG))
                        .arg(PathBuffer::kMaxLength));
        return;
    case kRunRawItemsFailed: {
        const StageReport& raw = report.Stage(OutputFolder::Raw);
        if (raw.failure == kFolderNotCreated) {
            ShowMessage(QMessageBox::Critical,
                        QStringLiteral("Cannot create the folder %1: %2. Nothing was extracted.")
                            .arg(Quoted(StageFolder(m_strFolder, OutputFolder::Raw)), Reason(raw.error)));
        } else {
            QString why = QString::fromLocal8Bit(raw.failure ? raw.failure : "the first stage failed");
            if (raw.error) why += QStringLiteral(" (%1)").arg(Reason(raw.error));
            ShowMessage(QMessageBox::Critical,
                        QStringLiteral("The image %1 is not complete: %2. No pictures or sounds were "
                                       "extracted.")
                            .arg(Quoted(m_strRomPath), why));
        }
        return;
    }
    default:
        ShowMessage(QMessageBox::Critical,
                    QStringLiteral("The extraction ended with the unknown result %1.").arg(result));
        return;
    }

    // A later stage's result does not stop the run, but what it could not make is still told:
    // one line per folder that lacks files or could not be made at all.
    QString missing;
    for (std::size_t i = 0; i < kOutputFolderCount; ++i) {
        const StageReport& stage = report.stages[i];
        const QString folder = StageFolder(m_strFolder, static_cast<OutputFolder>(i));
        if (stage.ran && !stage.succeeded) {
            QString why = QString::fromLocal8Bit(stage.failure ? stage.failure : "the stage failed");
            if (stage.error) why += QStringLiteral(" (%1)").arg(Reason(stage.error));
            missing += QStringLiteral("\n%1: %2").arg(folder, why);
        }
        if (stage.failedFiles)
            missing += QStringLiteral("\n%1: %2 %3 could not be written")
                           .arg(folder)
                           .arg(stage.failedFiles)
                           .arg(stage.failedFiles == 1 ? QStringLiteral("file") : QStringLiteral("files"));
    }
    if (missing.isEmpty()) {
        ShowMessage(QMessageBox::Information, QStringLiteral("Done"));
        return;
    }
    ShowMessage(QMessageBox::Warning,
                QStringLiteral("The extraction ran to the end, but part of it is missing:%1").arg(missing));
}

void CExtractorDlg::ShowMessage(QMessageBox::Icon icon, const QString& text) {
    prompts_.message(this, icon, QString::fromLatin1(kCaption), text);
}
