#include "app/form1.h"

void Form1::Text1_KeyPress(int &) {}
void Form1::Text1_LostFocus() {}
void Form1::VScroll1_Change() {}
void Form1::Text4_KeyPress(int &) {}
void Form1::Text4_LostFocus() {}
void Form1::Text5_KeyPress(int &) {}
void Form1::Text5_LostFocus() {}
void Form1::VScroll4_Change() {}
void Form1::VScroll5_Change() {}
void Form1::Option1_Click(int) {}
void Form1::Combo1_Click() {}
