// The update check at the end of start-up.
#include "Form1.h"

void Form1::gx()
{
}
