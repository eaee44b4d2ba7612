#include "app/form1.h"

void Form1::File1_DblClick() {}
void Form1::File1_KeyPress(int &) {}
void Form1::Command11_Click() {}
void Form1::adjustPicture(int) {}
