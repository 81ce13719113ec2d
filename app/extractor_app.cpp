#include "app/extractor_app.h"

#include "app/extractor_dlg.h"

CExtractorApp::CExtractorApp(int& argc, char** argv) : application_(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
}

CExtractorApp::~CExtractorApp() = default;

bool CExtractorApp::InitInstance() {
    CExtractorDlg dialog;
    dialog.exec();
    return false;
}
