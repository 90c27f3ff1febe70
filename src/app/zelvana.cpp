// The game's entry point: the main window and its message loop.

#include "Main.h"

#include "platform/Text.h"

int main() {
    TfmMain form(TDisplayMode::Window);
    if (!form.FormShow()) {
        TheUi().Message("Не удалось открыть окно игры: нет доступного дисплея."_cp);
        return 1;
    }
    form.Run();
    return 0;
}
