#include "window_support.h"
#include "work_loader.h"

std::unique_ptr<Form1> startedForm()
{
    auto f = std::make_unique<Form1>();
    f->ayuda_inicio = True;
    f->Form_Load();
    return f;
}
