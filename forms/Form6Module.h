#pragma once

#include "forms/Form6.h"

#include <QtGlobal>

// The one entry point of the service browser module, which the program loads
// only when the service browser first opens: the browser engine costs hundreds
// of milliseconds and tens of megabytes as soon as it is linked into a process.
// The module defines the factory under this name, and the program looks it up
// by the same name spelled out and casts it to this declaration's type, so a
// change on one side that the other does not follow fails to compile instead
// of failing when the browser first opens.
#define PETATTO_FORM6_FACTORY petattoCreateForm6
extern "C" Q_DECL_EXPORT Form6* PETATTO_FORM6_FACTORY(Form6::RecordSource record);
inline constexpr char kForm6FactorySymbol[] = QT_STRINGIFY(PETATTO_FORM6_FACTORY);
