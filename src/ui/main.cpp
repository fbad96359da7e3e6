// kx7300: the desktop analysis program.
#include "ui/kx7300_app.h"

int main(int argc, char** argv) {
    kx::ui::CKX7300App app(argc, argv);
    return app.InitInstance();
}
