#pragma once
// The thread under the pointer as a tool tip ("DMC 310 Black") over the embroidery, the chart's
// cells and the palette swatches: only where a palette colour is shown.
class Form1;

void wireThreadTips(Form1& f);
