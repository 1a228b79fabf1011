// Design-time class proxies.
//
// A designed module's class exists only in the source being edited, so its root component is
// created as an instance of the nearest compiled ancestor and then switched to a proxy class
// made at run time: the proxy carries the module's class name and unit name, behaves exactly
// like the ancestor, and owns a published method table into which the module's event handlers
// are entered by name. Streaming, the inspector and type queries then see the designed class.
//
// Method "addresses" of proxies are small positive integers (1, 2, 3 …) handed out lowest
// free first, process-wide, and reused after release. They are handles: nothing may call them
// (designed components never run event handlers).
//
// A proxy lives until its last user releases it: the instance it was made for (at its
// destruction or DestroySubClass), each instance switched to it by ChangeToProxyClass, and
// each proxy derived from it.
//
// Everything here runs on the main thread; nothing is locked.
#pragma once

#include "platform/runtime/Classes.h"

namespace formwright {

// Builds a proxy class derived from `Ancestor` named `ClassName` in unit `UnitName`, switches
// `Instance` to it and returns it. `Ancestor` must be the instance's class or descend from its
// compiled class (raises EInvalidCast otherwise, leaving the instance unchanged).
TClass CreateSubClass(TObject* Instance, const String& ClassName, const String& UnitName, TClass Ancestor);
TClass CreateSubClass(TObject* Instance, const String& ClassName, TClass Ancestor);

// Switches `Instance` to `ProxyClass` when that is a proxy class inheriting from the instance's
// current class, and counts the instance as a user. Returns whether it did.
bool ChangeToProxyClass(TObject* Instance, TClass ProxyClass);

// Switches `Instance` back to the class it had before and releases its proxy. Nothing happens
// when the instance's class is not a proxy.
void DestroySubClass(TObject* Instance);

// Renames the instance's proxy class; an empty unit name keeps the current one.
void RenameSubClass(TObject* Instance, const String& ClassName, const String& UnitName);

// The handle of the published method `MethodName` when the instance's class (or an ancestor)
// already has one; otherwise a new handle entered under that name in the instance's proxy.
// Raises EInvalidOperation when a new method is needed and the class is not a proxy.
void* CreateSubClassMethod(TObject* Instance, const String& MethodName);
// Enters the method of that handle again under a new name (the handle is kept).
void RenameSubClassMethod(TObject* Instance, void* Method, const String& NewName);
// Removes the method of that handle and frees the handle for reuse.
void DestroySubClassMethod(TObject* Instance, void* Method);

// True when `AClass` is a live proxy class.
bool IsProxyClass(TClass AClass) noexcept;

// The number of live proxy classes (for diagnostics and tests).
int ProxyClassCount() noexcept;

}  // namespace formwright
