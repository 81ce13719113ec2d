// The application object: shows the main dialog and ends the program when it closes.
#pragma once

#include <QApplication>

class CExtractorApp {
public:
    CExtractorApp(int& argc, char** argv);
    virtual ~CExtractorApp();
    CExtractorApp(const CExtractorApp&) = delete;
    CExtractorApp& operator=(const CExtractorApp&) = delete;

    // Runs the dialog until it is closed; false, as the program has nothing more to do then.
    virtual bool InitInstance();

private:
    QApplication application_;
};
