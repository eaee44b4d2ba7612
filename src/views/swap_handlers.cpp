#include "app/form1.h"

void Form1::Check7_Click() {}
void Form1::Check10_Click() {}
void Form1::Command4_Click() {}
void Form1::HScroll1_Change() {}
void Form1::Picture8_MouseDown(int, int, int, double, double) {}
void Form1::Picture8_MouseMove(int, int, int, double, double) {}
void Form1::Picture8_MouseUp(int, int, int, double, double) {}
