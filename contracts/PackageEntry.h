// The one entry point of a design package: a shared library that adds components and their
// design-time editors to a program built on this package (the formwright program, a test, an
// IDE). A component writer defines it once, in one source file of the library:
//
//   void RegisterGauge() {
//     RegisterClasses({TGauge::StaticClass()});
//     RegisterComponentEditor(TGauge::StaticClass(), TGaugeEditor::StaticClass());
//   }
//   FW_DESIGN_PACKAGE("Gauges", RegisterGauge)
//
// The registration routine uses the ordinary registration functions (RegisterClass,
// RegisterPropertyEditor, RegisterComponentEditor, RegisterSelectionEditor,
// RegisterComponentGuidelines, RegisterCustomModule …). The loader runs it inside an editor
// group of the package's own, so everything it registers goes again when the package is
// unloaded; when it raises, everything it had registered so far goes at once.
//
// The library links against nothing of ours: it resolves our symbols against the program that
// loads it, which exports them (see docs/Architecture.md, "Design packages").
#pragma once

namespace formwright {

// The version of the interface between a program and its design packages. It changes whenever
// a package built for the old one could no longer run inside the program (a class layout, a
// virtual method, a registration routine changed); a package built for another version is
// refused.
inline constexpr int DesignPackageAPIVersion = 1;

// What a package's entry point answers.
struct TDesignPackageEntry {
  // The DesignPackageAPIVersion the package was built with.
  int APIVersion;
  // The package's name, as messages and lists show it; unique among the loaded packages.
  const char* Name;
  // Registers the package's classes and editors; may raise, which refuses the package.
  void (*Register)();
};

// The entry point's exported, unmangled name and its type.
inline constexpr const char* DesignPackageEntryName = "FormwrightDesignPackage";
using TDesignPackageEntryFunc = const TDesignPackageEntry* (*)();

}  // namespace formwright

// Defines the entry point of a package named `PackageName` whose registration routine is
// `RegisterFunc` (a `void()` function). Once per library.
#define FW_DESIGN_PACKAGE(PackageName, RegisterFunc)                                                         \
  extern "C" __attribute__((visibility("default"))) const ::formwright::TDesignPackageEntry*                 \
  FormwrightDesignPackage() {                                                                                \
    static const ::formwright::TDesignPackageEntry Entry{::formwright::DesignPackageAPIVersion, PackageName, \
                                                         &RegisterFunc};                                     \
    return &Entry;                                                                                           \
  }
