#include "ConfigReadGuard.h"

#include "ConfigFile.h"
#include "PackageCreator.h"

ConfigReadGuard::ConfigReadGuard(ConfigFile *file, PackageCreator *model)
    : m_file(file ? file : ConfigFile::instance())
    , m_model(model ? model : PackageCreator::instance())
    , m_emitInitialDefault(m_file->emitInitialDefault)
    , m_globalOnly(m_file->globalOnly)
    , m_insertionCount(m_file->insertionCount)
    , m_overrideIndex(m_file->overrideIndex)
    , m_overrideSubIndex(m_file->overrideSubIndex)
    , m_loading(m_model->loading)
{}

ConfigReadGuard::~ConfigReadGuard()
{
    m_file->emitInitialDefault = m_emitInitialDefault;
    m_file->globalOnly = m_globalOnly;
    m_file->insertionCount = m_insertionCount;
    m_file->overrideIndex = m_overrideIndex;
    m_file->overrideSubIndex = m_overrideSubIndex;
    m_model->loading = m_loading;
}
