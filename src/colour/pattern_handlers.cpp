#include "app/form1.h"

void Form1::Command1_Click() {}
void Form1::Command5_Click() {}
void Form1::colores() {}
void Form1::gama() {}
void Form1::gama2() {}
void Form1::dibujar() {}
void Form1::pinta2() {}
void Form1::check8_Click() {}
void Form1::writeStripSymbols() {}
