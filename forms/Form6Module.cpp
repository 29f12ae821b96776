#include "forms/Form6Module.h"

#include "forms/Form6.h"

Form6* PETATTO_FORM6_FACTORY()
{
    return new Form6;
}
