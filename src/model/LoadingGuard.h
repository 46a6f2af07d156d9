#pragma once
// Sets the model's loading flag for the length of a scope and puts its
// previous value back when the scope ends, however it ends. Code that fills
// a page from the model holds one, so the page's own change handlers store
// nothing and no updateMemoryUsed() goes out:
//
//     LoadingGuard guard(model);
//     page->showRecord(record); // its save() returns at once
//     return;                   // the flag back as it was

class PackageCreator;

class LoadingGuard
{
public:
    // Without a model: PackageCreator::instance().
    explicit LoadingGuard(PackageCreator *model = nullptr);
    ~LoadingGuard();
    LoadingGuard(const LoadingGuard &) = delete;
    LoadingGuard &operator=(const LoadingGuard &) = delete;

private:
    PackageCreator *m_model;
    bool m_loading;
};
