#include "app/form1.h"

void Form1::Drive1_Change() {}
void Form1::Dir1_Change() {}
void Form1::File1_Click() {}
void Form1::Command2_Click() {}
void Form1::refreshFileList() {}
