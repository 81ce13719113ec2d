#include "app/extractor_app.h"

int main(int argc, char** argv) {
    CExtractorApp application(argc, argv);
    application.InitInstance();
    return 0;
}
