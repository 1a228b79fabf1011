#include "host/root/ReferenceViews.h"

#include "platform/orx/Orx.h"
#include "platform/runtime/Lists.h"
#include "platform/runtime/StreamCoding.h"
#include "platform/runtime/Streams.h"

namespace formwright {

TReferenceDesigner::TReferenceDesigner(IPtr<IDesignEnvironment> Environment,
                                       IPtr<IModuleFileSystem> FileSystem, TReferenceModuleFactory& Factory)
    : TComponentDesigner(orx::TControl::StaticClass(), std::move(Environment), std::move(FileSystem)),
      FFactory(Factory) {}

IPtr<IInternalRoot> TReferenceDesigner::HostOpenViewRoot(const TRootCreateInfo& Info) {
  IPtr<TReferenceRoot> Root = FFactory.OpenRoot(Info);
  return IPtr<IInternalRoot>(static_cast<IInternalRoot*>(Root.Get()));
}

String ViewListFileName(const String& FormFileName) {
  return FormFileName.substr(0, ExtensionPos(FormFileName)) + ".fwv";
}

namespace {
// The list file's text of the module's list: one line each, ending in a line break.
String ListText(const std::vector<String>& Lines, const String& LineBreak) {
  String Text;
  for (const String& L : Lines) Text += L + LineBreak;
  return Text;
}

// A line of a list file as the module keeps it: its name and form factor without the blanks a
// person may put around them ("Phone = Phone" is "Phone=Phone"); no form factor is one blank.
String ListEntry(const String& Line) {
  const size_t Eq = Line.find('=');
  if (Eq == String::npos) return Trim(Line);
  const String Value = Trim(Line.substr(Eq + 1));
  return Trim(Line.substr(0, Eq)) + "=" + (Value.empty() ? String(" ") : Value);
}

// The lines of a list file that name views, as the module reads them (blank lines left out).
std::vector<String> ListLines(const String& Text) {
  TStringList List;
  List.SetText(Text);
  std::vector<String> Lines;
  for (int I = 0; I < List.Count(); ++I)
    if (!Trim(List[I]).empty()) Lines.push_back(ListEntry(List[I]));
  return Lines;
}

String ReadFile(IModuleFileSystem& Files, const String& FileSystem, const String& FileName) {
  TOwned<TStream> S = Files.OpenFile(FileSystem, FileName);
  return StreamText(S.get());
}

// The list file's text as the list is read: without a byte-order mark an editor put before it.
String ReadList(IModuleFileSystem& Files, const String& FileSystem, const String& FileName) {
  String Text = ReadFile(Files, FileSystem, FileName);
  return Text.erase(0, streamcoding::Utf8MarkLength(Text));
}
}  // namespace

void OpenModuleViews(TReferenceRoot& Root) {
  TModuleSource* Source = Root.Source();
  if (!Source || Root.GetMasterView()) return;
  IModuleFileSystem& Files = *Root.GetComponentDesigner()->GetFileSystem();
  const String ListFile = ViewListFileName(Root.GetFileName());
  if (!Files.FileExists(Root.GetFileSystem(), ListFile)) return;
  TStringList List;
  List.SetText(ReadList(Files, Root.GetFileSystem(), ListFile));
  // Each line is checked before any view opens: a line written by hand that names no view is
  // reported with its number rather than sought as a form file of that name.
  for (int I = List.Count() - 1; I >= 0; --I) {
    if (Trim(List[I]).empty()) {
      List.Delete(I);
      continue;
    }
    const String Line = List[I];
    List.Put(I, ListEntry(Line));
    const String Name = List.Names(I).empty() ? List[I] : List.Names(I);
    if (!IsValidIdent(Name))
      throw EViewList(
          Format("%s, line %d: '%s' does not name a view: each line is NAME=FORM FACTOR, NAME an "
                 "identifier",
                 ListFile, I + 1, streamcoding::PrintableText(Line)));
  }
  Source->SetViewList(&List);
  try {
    Root.CreateDesignerViews(nullptr);
  } catch (const Exception& E) {
    // The views open in the list's order: the first one listed and not open is the one that
    // failed, and the message's line and column are in its form file.
    String Where;
    for (int I = 0; I < List.Count() && Where.empty(); ++I) {
      const String Name = List.Names(I).empty() ? List[I] : List.Names(I);
      if (Root.GetViewIndex(Name) < 0) Where = ViewFileName(Root.GetFileName(), Name);
    }
    if (!Where.empty() && E.Message().find(Where) == String::npos)
      Where += ": ";
    else
      Where.clear();
    throw EViewList(Format("%s: a view it lists does not open: %s%s", ListFile, Where, E.Message()));
  }
}

std::pair<String, String> ViewOfFile(IModuleFileSystem& Files, const String& FileName) {
  const size_t Ext = ExtensionPos(FileName);
  const size_t Slash = FileName.find_last_of("/\\");
  const size_t Dot = Ext == 0 ? String::npos : FileName.rfind('.', Ext - 1);
  if (Dot == String::npos || Ext == FileName.size() || (Slash != String::npos ? Dot <= Slash + 1 : Dot == 0))
    return {};
  const String MasterFile = FileName.substr(0, Dot) + FileName.substr(Ext);
  const String ViewName = FileName.substr(Dot + 1, Ext - Dot - 1);
  const String ListFile = ViewListFileName(MasterFile);
  if (!Files.FileExists(String(), MasterFile) || !Files.FileExists(String(), ListFile)) return {};
  TStringList List;
  for (const String& Line : ListLines(ReadList(Files, String(), ListFile))) List.Add(Line);
  if (List.IndexOfName(ViewName) < 0) return {};
  return {MasterFile, ViewName};
}

IPtr<TReferenceRoot> OpenViewFile(TReferenceHost& Host, const String& FileName) {
  const auto [MasterFile, ViewName] = ViewOfFile(*Host.Designer()->GetFileSystem(), FileName);
  if (MasterFile.empty()) return nullptr;
  IPtr<TReferenceRoot> Master;
  for (const auto& R : Host.Roots())
    if (R->GetFileName() == MasterFile) Master = R;
  if (!Master) Master = Host.Open(MasterFile);
  const int Index = Master->GetViewIndex(ViewName);
  return Index < 0 ? nullptr
                   : IPtr<TReferenceRoot>(dynamic_cast<TReferenceRoot*>(Master->GetView(Index).Get()));
}

void SaveViewList(TReferenceRoot& Root) {
  TModuleSource* Source = Root.Source();
  if (!Source || Root.GetMasterView()) return;
  IModuleFileSystem& Files = *Root.GetComponentDesigner()->GetFileSystem();
  const String ListFile = ViewListFileName(Root.GetFileName());
  const std::vector<String>& Lines = Source->ViewList();
  String LineBreak = "\n", Mark;
  if (Files.FileExists(Root.GetFileSystem(), ListFile)) {
    // A file that reads as the list stays as its author wrote it (line ends, blank lines); a
    // changed list keeps the file's line ends and its byte-order mark.
    const String Old = ReadFile(Files, Root.GetFileSystem(), ListFile);
    Mark = Old.substr(0, streamcoding::Utf8MarkLength(Old));
    if (ListLines(Old.substr(Mark.size())) == Lines) return;
    if (Old.find("\r\n") != String::npos) LineBreak = "\r\n";
  } else if (Lines.empty()) {
    return;
  }
  TStringStream S(Mark + ListText(Lines, LineBreak));
  Files.WriteFile(Root.GetFileSystem(), ListFile, &S);
}

std::vector<std::pair<String, String>> ListedViews(IModuleFileSystem& Files, const String& FormFileName) {
  std::vector<std::pair<String, String>> Entries;
  const String ListFile = ViewListFileName(FormFileName);
  if (!Files.FileExists(String(), ListFile)) return Entries;
  TStringList List;
  List.SetText(ReadList(Files, String(), ListFile));
  for (int I = 0; I < List.Count(); ++I) {
    const String Name = Trim(List.Names(I).empty() ? List[I] : List.Names(I));
    if (IsValidIdent(Name))
      Entries.emplace_back(Name, List.Names(I).empty() ? String() : List.ValueFromIndex(I));
  }
  return Entries;
}

void UnlistView(IModuleFileSystem& Files, const String& FormFileName, const String& Name) {
  const String ListFile = ViewListFileName(FormFileName);
  const String Text = Files.FileExists(String(), ListFile) ? ReadFile(Files, String(), ListFile) : String();
  // Line by line, each with its own line break, so that the others stay byte for byte (and a
  // byte-order mark before the first).
  for (size_t Start = streamcoding::Utf8MarkLength(Text); Start < Text.size();) {
    size_t End = Text.find('\n', Start);
    End = End == String::npos ? Text.size() : End + 1;
    const String Line = Text.substr(Start, End - Start);
    if (SameText(Trim(Line.substr(0, std::min(Line.find('='), Line.size()))), Name)) {
      TStringStream S(Text.substr(0, Start) + Text.substr(End));
      Files.WriteFile(String(), ListFile, &S);
      return;
    }
    Start = End;
  }
  throw Exception(Format(SViewNotFound, Name));
}

}  // namespace formwright
