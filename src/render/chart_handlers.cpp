#include "app/form1.h"

void Form1::patron() {}
void Form1::patron1() {}
void Form1::HScroll2_Change() {}
void Form1::VScroll2_Change() {}
