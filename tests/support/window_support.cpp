#include "window_support.h"

std::unique_ptr<Form1> startedForm()
{
    auto f = std::make_unique<Form1>();
    f->st.ayuda_inicio = True;
    f->Form_Load();
    return f;
}
