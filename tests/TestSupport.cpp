#include "TestSupport.h"

#include "app/Application.h"

void corvallaTestInit()
{
    Corvalla::initApplication();
}
