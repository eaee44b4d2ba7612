#pragma once
// What window tests need besides the common support: a started main window.
#include "app/form1.h"
#include "test_support.h"

#include <memory>

// A main window after start-up, in the current folder; the start help is marked as shown.
std::unique_ptr<Form1> startedForm();
