#include "CurrentPage.h"

CurrentPage *CurrentPage::instance()
{
    static CurrentPage record;
    return &record;
}
