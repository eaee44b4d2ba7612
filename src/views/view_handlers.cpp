#include "app/form1.h"

void Form1::Check1_Click() {}
void Form1::Check2_Click() {}
void Form1::Check3_Click() {}
void Form1::Check4_Click() {}
void Form1::Check5_Click() {}
void Form1::Check6_Click() {}
void Form1::Picture2_MouseDown(int, int, double, double) {}
void Form1::Picture2_MouseMove(int, int, double, double) {}
void Form1::Picture2_MouseUp(int, int, double, double) {}
void Form1::Picture3_MouseDown(int, int, double, double) {}
void Form1::Picture3_MouseMove(int, int, double, double) {}
void Form1::Picture3_MouseUp(int, int, double, double) {}
void Form1::Picture11_MouseDown(int, int, double, double) {}
void Form1::Picture11_MouseMove(int, int, double, double) {}
void Form1::Picture11_MouseUp(int, int, double, double) {}
