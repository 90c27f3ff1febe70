// The game's entry point: the main window and its message loop.

#include "Main.h"

int main() {
    TfmMain form(TDisplayMode::Window);
    if (!form.FormShow()) return 1;
    form.Run();
    return 0;
}
