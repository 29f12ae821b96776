// The entry point of the service browser module. The browser engine costs
// hundreds of milliseconds and tens of megabytes as soon as it is linked into a
// process, so the program loads it only when the service browser first opens.
#include "forms/Form6.h"

extern "C" Q_DECL_EXPORT QWidget* petattoCreateForm6()
{
    return new Form6;
}
