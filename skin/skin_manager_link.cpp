#include "skin/skin_manager_link.h"

#include <memory>

namespace {

TSkinManagerFactory& Factory() {
    static TSkinManagerFactory factory = nullptr;
    return factory;
}

std::unique_ptr<TSkinManagerLink>& Instance() {
    static std::unique_ptr<TSkinManagerLink> instance;
    return instance;
}

}  // namespace

void SetSkinManagerFactory(TSkinManagerFactory factory) { Factory() = factory; }

TSkinManagerLink* ExistingSkinManager() { return Instance().get(); }

TSkinManagerLink* SkinManager() {
    if (!Instance() && Factory()) Instance().reset(Factory()());
    return Instance().get();
}

void FreeSkinManager() { Instance().reset(); }
