#include "forms/Form6Module.h"

#include "forms/Form6.h"

Form6* PETATTO_FORM6_FACTORY(Form6::RecordSource record)
{
    return new Form6(std::move(record));
}
