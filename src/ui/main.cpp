// kx7300 [DIR]: the desktop analysis program, opening the project directory DIR if given.
#include "ui/kx7300_app.h"

int main(int argc, char** argv) {
    kx::ui::CKX7300App app(argc, argv);
    return app.InitInstance(kx::ui::CKX7300App::ProjectDirArgument(app.arguments()));
}
