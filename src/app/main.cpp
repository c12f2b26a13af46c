#include "app/CKymoApp.h"

int main(int argc, char** argv) {
    CKymoApp app(argc, argv);
    if (!app.InitInstance()) return 1;
    return app.exec();
}
