#include "common/ReadProgress.h"

namespace {
thread_local ReadProgress *t_current = nullptr;
} // namespace

ReadProgress *ReadProgress::current()
{
    return t_current;
}

ReadProgress::Scope::Scope(ReadProgress *progress) : m_previous(t_current)
{
    t_current = progress;
}

ReadProgress::Scope::~Scope()
{
    t_current = m_previous;
}
