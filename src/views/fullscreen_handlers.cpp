#include "app/form1.h"

void Form1::Command3_Click(int) {}
