#include "contracts/Package.h"

#include "contracts/HostIntf.h"

namespace formwright {

namespace {
// The one process-wide variable of the package: which package object is current.
TDesignPackage* GCurrentPackage = nullptr;
}  // namespace

TDesignPackage::TDesignPackage() : FOuter(GCurrentPackage) { GCurrentPackage = this; }

TDesignPackage::~TDesignPackage() {
  // The newest service first: a later registry may still refer to an earlier one as it goes.
  while (!FServices.empty()) FServices.pop_back();
  GCurrentPackage = FOuter;
}

TDesignPackage* CurrentDesignPackage() noexcept { return GCurrentPackage; }

bool ShowReadOnlyProps() noexcept { return !GCurrentPackage || GCurrentPackage->ShowReadOnlyProps; }

bool ReferenceExpandable() noexcept { return !GCurrentPackage || GCurrentPackage->ReferenceExpandable; }

int CurrentGroup() noexcept { return GCurrentPackage ? GCurrentPackage->CurrentGroup : -1; }

void SetCurrentGroup(int Group) noexcept {
  if (GCurrentPackage) GCurrentPackage->CurrentGroup = Group;
}

IPtr<IInterface> VostrelIDEServices() { return GCurrentPackage ? GCurrentPackage->IDEServices : nullptr; }

void SetVostrelIDEServices(const IPtr<IInterface>& Services) {
  if (GCurrentPackage) GCurrentPackage->IDEServices = Services;
}

}  // namespace formwright
