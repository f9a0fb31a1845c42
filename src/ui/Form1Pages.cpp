// The topic bar and the tutorial pages, the sources page and the subdomain tool.
#include "Form1.h"

void Form1::bindPages()
{
}

void Form1::Command5_Click(int)
{
}

void Form1::al_Click(int)
{
}

void Form1::Command3_Click()
{
}

void Form1::Command4_Click()
{
}

void Form1::Command6_Click()
{
}

void Form1::Command7_Click()
{
}
