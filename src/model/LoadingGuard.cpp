#include "LoadingGuard.h"

#include "PackageCreator.h"

LoadingGuard::LoadingGuard(PackageCreator *model)
    : m_model(model ? model : PackageCreator::instance())
    , m_loading(m_model->loading)
{
    m_model->loading = true;
}

LoadingGuard::~LoadingGuard()
{
    m_model->loading = m_loading;
}
