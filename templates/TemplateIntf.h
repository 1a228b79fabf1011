// The template filter's interfaces: property bags, collections, line providers, the condition
// stack and the filter itself. Wizards that generate source fill a bag with values and
// collections, run a template through `IExpertFilter::Filter` and receive the expanded text.
//
// Objects are shared through std::shared_ptr, the counterpart of reference-counted interfaces;
// the factories at the end make the classes callers need.
#pragma once

#include <cstdint>
#include <memory>
#include <variant>

#include "platform/runtime/SysUtils.h"

namespace formwright {

class ICollectionProperty;
class IPropertyValues;
class ILineProvider;
class IExpertFilter;
using ICollectionPropertyPtr = std::shared_ptr<ICollectionProperty>;
using IPropertyValuesPtr = std::shared_ptr<IPropertyValues>;
using ILineProviderPtr = std::shared_ptr<ILineProvider>;
using IExpertFilterPtr = std::shared_ptr<IExpertFilter>;

// A property value: unassigned, a scalar (text, integer, float, boolean) or a collection of
// property bags. Unassigned and collections show as empty text; see `TemplateValueToText`.
using TTemplateValue = std::variant<std::monostate, String, int64_t, double, bool, ICollectionPropertyPtr>;

// The text of a value as templates show it: integers in decimal, floats with 15 significant
// digits, booleans as "True"/"False", unassigned values and collections as empty text.
String TemplateValueToText(const TTemplateValue& Value);

// A bag of named values in insertion order; names match ignoring letter case.
class IPropertyValues {
 public:
  virtual ~IPropertyValues() = default;
  // Replaces the value of an existing name or appends a new entry.
  virtual void SetProperty(const String& Name, const TTemplateValue& Value) = 0;
  // Stores a collection under `Name` (through SetProperty).
  virtual void SetCollectionProperty(const String& Name, const ICollectionPropertyPtr& Collection) = 0;
  virtual int GetPropertyCount() const = 0;
  // The value of the Index-th entry; raises EListError for an index out of bounds.
  virtual TTemplateValue GetProperty(int Index) const = 0;
  // The value named `Name`. "Item.Prop" reaches property Prop of the current item of the
  // collection stored as Item; when there is no such collection or no current item the whole
  // name is looked up as a plain key. A missing name gives an unassigned value.
  virtual TTemplateValue GetProperty(const String& Name) const = 0;
  // The name of the Index-th entry; raises EListError for an index out of bounds.
  virtual String GetPropertyKey(int Index) const = 0;
  virtual void ClearProperties() = 0;
};

// Says which iteration of a loop is current: -1 when there is none.
class IIterationCounter {
 public:
  virtual ~IIterationCounter() = default;
  virtual int GetCurrentIteration() const = 0;
};

// Something a loop iterates over; the loop registers itself as the counter while it runs.
class IIterationCounterConsumer {
 public:
  virtual ~IIterationCounterConsumer() = default;
  // Sets (or, with nullptr, clears) the counter; the counter is not owned.
  virtual void SetCounter(IIterationCounter* Counter) = 0;
  // The number of iterations a loop over it makes.
  virtual int GetMaxIteration() const = 0;
};

// An ordered list of property bags that a "foreach" tag iterates over.
class ICollectionProperty {
 public:
  virtual ~ICollectionProperty() = default;
  virtual void AddItem(const IPropertyValuesPtr& Item) = 0;
  // Raises EListError for an index out of bounds.
  virtual IPropertyValuesPtr GetItem(int Index) const = 0;
  virtual int GetItemCount() const = 0;
  // The item of the counter's current iteration; nullptr without a counter, for iteration -1
  // or for an iteration past the last item.
  virtual IPropertyValuesPtr GetCurrentItem() const = 0;
};

// Something that can be asked to let go of what it holds.
class IInterfaceCleanup {
 public:
  virtual ~IInterfaceCleanup() = default;
  virtual void Cleanup() = 0;
};

// A source of template lines.
class ILineProvider : public IInterfaceCleanup {
 public:
  virtual bool HasMore() = 0;
  // The next line, without its line end. Call only while HasMore() is true.
  virtual String NextLine() = 0;
  // The number of the line last read (1 for the first line of a file).
  virtual int LineNumber() const = 0;
  // Starts the provider over when it repeats (a loop); answers whether more lines follow.
  // Providers that do not repeat answer false.
  virtual bool ReStart() = 0;
  // Whether lines read from this provider may reach the output.
  virtual bool IsOutputOn() const = 0;
};

// The stack of "if" conditions of a template run.
class IBooleanStack : public IInterfaceCleanup {
 public:
  // True when every entry is true (and for an empty stack).
  virtual bool AllTrue() const = 0;
  // The top entry, or true for an empty stack.
  virtual bool GetCurrentValue() const = 0;
  virtual int GetSize() const = 0;
  // The top entry; reports "Attempt to access empty stack" when empty.
  virtual bool GetTop() const = 0;
  // Removes and returns the top entry; reports "Attempt to pop an empty stack" when empty.
  virtual bool Pop() = 0;
  virtual void Push(bool Value) = 0;
  // Inverts the top entry; reports "Attempt to access empty stack" when empty.
  virtual void ToggleTop() = 0;
};

// Turns an error message into an exception; never returns normally.
class IErrorReporter {
 public:
  virtual ~IErrorReporter() = default;
  [[noreturn]] virtual void ReportError(const String& Message) = 0;
};

// The template filter: a property bag that expands templates with its values.
class IExpertFilter : public IPropertyValues {
 public:
  // Expands the template file `Directory + FileName` (plain concatenation; a language variant
  // is preferred when one exists). Raises EExpertFilterError "File not found: %s" when there is
  // no such file. On any error `Output` is left empty.
  virtual void Filter(const String& FileName, const String& Directory, String& Output) = 0;
  // Expands the lines of `LineProvider`. Output lines end with CR LF.
  virtual void Filter(const ILineProviderPtr& LineProvider, String& Output) = 0;
};

// Errors of the template filter: the message names the template, the line and the fault.
FW_EXCEPTION(EExpertFilterError, Exception);
// A text resource that a module does not have.
FW_EXCEPTION(EResNotFound, Exception);

class TResourceModule;

// Factories of the filter's classes.
struct CoExpertFilter {
  static IExpertFilterPtr Create();
};
struct CoPropertyValues {
  static IPropertyValuesPtr Create();
};
struct CoCollectionProperty {
  static ICollectionPropertyPtr Create();
};
struct CoResourceProvider {
  // A line provider over the text resource `ResourceName` of module `Instance`; raises
  // EResNotFound "Resource %s not found" when the module has no such resource.
  static ILineProviderPtr Create(const TResourceModule& Instance, const String& ResourceName);
};

}  // namespace formwright
