// The verb table, running one verb line, and the help texts.
#include "tools/Verbs.h"

namespace formwright::tool {

const std::vector<TVerb>& Verbs() {
  static const std::vector<TVerb> List{
      {"show",
       "show FILE... [--json]",
       "the component tree: name, class, parent, bounds",
       {{"--json"}, {}},
       ShowVerb,
       true},
      {"props",
       "props FILE... [COMPONENT[,COMPONENT...]] [--events] [--lines PROPERTY] [--json]",
       "what the property inspector shows for that selection (the root when none is named):\n"
       "each property's name, shown value (empty where the selection differs), origin in a module\n"
       "that inherits (inherited or overridden), editor class, attributes, value list, the lines of\n"
       "string lists, the items of collections ([0], [1] ... with their properties) and nested\n"
       "properties; --events shows the events page; --lines Lines prints the lines of one string\n"
       "list exactly, one per line (the form PROPERTY=@FILE reads back)",
       {{"--events", "--json"}, {"--lines"}},
       PropsVerb,
       true},
      {"set",
       "set FILE... COMPONENT.PROPERTY=VALUE...",
       "types values into the inspector: each is parsed by the property's editor, and a refused\n"
       "value changes nothing. COMPONENT may list several (Button1,Button2.Caption=OK); nested\n"
       "properties are dotted (Button1.Font.Size=10); events take handler names (OnClick=GoClick).\n"
       "Values are typed as props shows them: colours, cursors, modal results and shortcuts by name\n"
       "or number (Color=clWindow, Color=$00FF8000, ShortCut=Ctrl+O, ShortCut=(None)), whole sets\n"
       "in brackets (Anchors=[akLeft,akTop], Font.Style=[]); a string list (Memo1.Lines,\n"
       "ListBox1.Items) takes the lines of a file with @FILE (@- reads standard input), or typed\n"
       "text as its lines. A collection's items are typed by index (StatusBand1.Sections[0].Text=\n"
       "Ready); Sections.Count=N adds items at the end or deletes the last ones, Sections.Delete=I\n"
       "deletes item I and Sections.Move=I,J moves item I to place J",
       {{}, {}},
       SetVerb},
      {"rename",
       "rename FILE... OLD NEW",
       "renames a component (or the module's root); handlers named after it follow. A root that\n"
       "other modules of its folder inherit from or embed keeps its name: their units name its class;\n"
       "nor does a root take the name whose class another module file of its folder has",
       {{}, {}},
       RenameVerb},
      {"add",
       "add FILE... CLASS [--parent P] [--at X,Y] [--size W,H] [--name N]",
       "creates a component as the palette does: uniquely named, centred in P (or the form) without\n"
       "--at, at the point with its default size with --at, drawn as a box with --at and --size",
       {{}, {"--parent", "--at", "--size", "--name"}},
       AddVerb},
      {"delete",
       "delete FILE... COMPONENT... [--force]",
       "deletes components (and what they hold); refused, naming them, when a module that inherits\n"
       "from FILE would lose components it added inside them, unless --force",
       {{"--force"}, {}},
       DeleteVerb},
      {"revert",
       "revert FILE... COMPONENT.PROPERTY...",
       "gives an overridden property back its inherited value: the ancestor module's (or, inside an\n"
       "embedded frame, the frame module's), which it follows again from then on (Font.Height and\n"
       "other nested properties are dotted)",
       {{}, {}},
       RevertVerb},
      {"copy",
       "copy SRC COMPONENT... --to DEST [--parent P] [--at X,Y] [--force]",
       "copies components to another module through the clipboard stream: names DEST or a module\n"
       "inheriting from it uses are renamed from the class name and handler names follow\n"
       "(Button1Click -> Button2Click), as does a handler whose name DEST's unit gives to something\n"
       "else; a handler nothing in DEST binds stays out of its unit. The components named share one\n"
       "parent. Refused, naming them, when they refer to components DEST does not have, unless\n"
       "--force, which leaves those references empty",
       {{"--force"}, {"--to", "--parent", "--at"}},
       CopyVerb},
      {"move",
       "move FILE... C[,C...] --parent P [--at X,Y] [--force]",
       "moves components into another parent as a drag on the form does: each keeps its name,\n"
       "its handlers and every reference to it; positions stay in the new parent's coordinates,\n"
       "or with --at the first component's top-left goes to X,Y and the others keep their offsets;\n"
       "refused when a module that inherits from FILE would lose components it added inside them,\n"
       "unless --force",
       {{"--force"}, {"--parent", "--at"}},
       MoveVerb},
      {"order",
       "order FILE... C --front|--back|--index N|--tab N",
       "changes where a control sits among its parent's controls: --front, --back, or --index N\n"
       "(0 is the back-most; windowed controls stand in front of labels and shapes, so each kind\n"
       "has its own order); --tab N sets its tab order, the others moving up or down one",
       {{"--front", "--back"}, {"--index", "--tab"}},
       OrderVerb},
      {"align",
       "align FILE... C,C... --left|--right|--hcenter|--top|--bottom|--vcenter|--hspace|...",
       "aligns controls of one parent to the first one named (the anchor): edges or centres;\n"
       "--hspace/--vspace spread them evenly between the outermost; --hwincenter/--vwincenter\n"
       "centre them in their parent; --hspace-inc/-dec move the others one pixel per step away\n"
       "from or toward the anchor, --hspace-del closes the gaps (and --vwincenter, --vspace-inc,\n"
       "--vspace-dec, --vspace-del likewise); --grid moves them to the nearest grid point",
       {{"--left", "--right", "--hcenter", "--top", "--bottom", "--vcenter", "--hspace", "--vspace",
         "--hwincenter", "--vwincenter", "--hspace-inc", "--hspace-dec", "--hspace-del", "--vspace-inc",
         "--vspace-dec", "--vspace-del", "--grid"},
        {}},
       AlignVerb},
      {"size",
       "size FILE... C,C... --widths|--heights|--both|--width N|--height N|--grow-width|...",
       "sizes controls of one parent: --widths, --heights or --both take the first one's; --grow-\n"
       "and --shrink- (-width, -height) take the largest or smallest of them; --width N and\n"
       "--height N set them",
       {{"--widths", "--heights", "--both", "--grow-width", "--shrink-width", "--grow-height",
         "--shrink-height"},
        {"--width", "--height"}},
       SizeVerb},
      {"retype",
       "retype FILE... C NEWCLASS [--force]",
       "replaces a component by one of another class under the same name: the properties and\n"
       "events both classes publish, the components it holds and every reference to it are kept;\n"
       "refused, listing them, when set properties (or held components, or what a module that\n"
       "inherits from FILE added inside it or set on it) would be lost, unless --force",
       {{"--force"}, {}},
       RetypeVerb},
      {"classes",
       "classes",
       "the palette: the component classes add takes, page by page",
       {{}, {}},
       ClassesVerb,
       true},
      {"find",
       "find FILE... [--class C] [--name PATTERN] [--where PROP=VALUE]",
       "lists the components of the modules that are of class C (or derived from it), whose name\n"
       "matches PATTERN (* and ?, any letter case) and whose property shows VALUE in the inspector",
       {{}, {"--class", "--name", "--where"}},
       FindVerb,
       true},
      {"diff",
       "diff A B",
       "what changed from module A to module B, component by component: added, removed, moved to\n"
       "another parent, and every property or event whose shown value changed",
       {{}, {}},
       DiffVerb,
       true},
      {"render",
       "render FILE... [-o FILE.png] [--scale N] [--handles C[,C...]]",
       "draws the form as the designer shows it (grid dots, non-visual components as icons) to a\n"
       "PNG picture: FILE.png beside the module, or the file -o names (one module only); --scale N\n"
       "(1 to 8) draws it N times larger, --handles shows those components selected; the pictures\n"
       "are written together or, when one cannot be, none",
       {{}, {"-o", "--scale", "--handles"}},
       RenderVerb,
       true},
      {"handlers",
       "handlers FILE... [--json]",
       "the unit's event handlers and the events that use them; a handler the module inherits\n"
       "names the unit of the ancestor that declares it, or the ancestor's unit that is missing",
       {{"--json"}, {}},
       HandlersVerb,
       true},
      {"convert",
       "convert FILE... --text|--binary [-o OUT|DIR/] [--force]",
       "saves modules in the text or binary form: in place, or a copy in OUT (or in the folder DIR\n"
       "under its own name) with its unit beside it, renamed after the copy; an existing unit there\n"
       "is replaced only with --force. A module others inherit from or embed is not copied into its\n"
       "own folder, where they find it by its class",
       {{"--text", "--binary", "--force"}, {"-o"}},
       ConvertVerb},
      {"views",
       "views FILE [--add NAME|--remove NAME] [--json]",
       "the module's device views (each a form file beside the module's, FILE.NAME.fwf, whose root\n"
       "inherits from the module's); --add makes a new view named after a device (Desktop, Tablet,\n"
       "Phone, Wearable, LargeScreen or another identifier), --remove drops one from the module's\n"
       "list and leaves its form file on disk. A module whose list (FILE.fwv) cannot be read opens\n"
       "for verbs that only read it; edits are refused, saying why, and --remove takes a view that\n"
       "does not open off the list",
       {{"--json"}, {"--add", "--remove"}},
       ViewsVerb,
       true},  // opens the module for edits itself: a view that does not open can be removed
      {"inherit",
       "inherit ANCESTOR --name NAME -o FILE [--binary]",
       "a new module NAME in FILE (with its unit beside it) that inherits from the module ANCESTOR:\n"
       "it starts as a copy of the ancestor whose components are all inherited; an existing FILE or\n"
       "unit is never replaced",
       {{"--binary"}, {"--name", "-o"}},
       InheritVerb},
      {"check",
       "check [FILE|DIR]...",
       "opens every module named (every .fwf file of a folder; the current folder when none is\n"
       "named) with the modules it needs, and reports each one that does not open and why",
       {{}, {}},
       CheckVerb,
       true},
      {"run",
       "run [FILE...] [-e LINE]... < SCRIPT",
       "runs verb lines (from -e, else standard input) in one session: later lines see earlier\n"
       "edits; '#' starts a comment line. Files are saved only when every line succeeded",
       {{}, {"-e"}},
       RunScriptVerb},
  };
  return List;
}

const TVerb* FindVerb(const String& Name) {
  for (const TVerb& V : Verbs())
    if (Name == V.Name) return &V;
  return nullptr;
}

String ClassTakenMessage(const String& OtherFile, const String& RootName) {
  return Format("%s has the class T%s already, and a folder holds one module file of each class",
                std::filesystem::path(OtherFile).filename().string(), RootName);
}

void ForEachModule(TSession& Session, TArgs& Args, TOutput& Out,
                   const std::function<void(TReferenceRoot& Root, const String& File)>& Proc) {
  const std::vector<String> Files = ExpandFiles(Args.TakeFiles());
  for (size_t I = 0; I < Files.size(); ++I) {
    Out.Progress(I, Files.size(), Files[I]);
    Proc(Session.Module(Files[I]), Files[I]);
  }
  Out.EndProgress();
}

void RunVerb(TSession& Session, const std::vector<String>& Words, std::FILE* OutFile) {
  if (Words.empty()) throw EUsage("Missing the verb");
  const TVerb* Verb = FindVerb(Words[0]);
  if (!Verb) throw EUsage(Format("Unknown verb '%s'", Words[0]));
  TOptionSpec Spec = Verb->Options;
  // -e may be given several times: each is one line of the script.
  std::vector<String> Rest(Words.begin() + 1, Words.end());
  String Script;
  if (Verb->Run == RunScriptVerb)
    for (size_t I = 0; I + 1 < Rest.size(); ++I)
      if (Rest[I] == "-e") {
        Script += Rest[I + 1] + "\n";
        Rest.erase(Rest.begin() + static_cast<std::ptrdiff_t>(I),
                   Rest.begin() + static_cast<std::ptrdiff_t>(I) + 2);
        --I;
      }
  if (!Script.empty()) Rest.insert(Rest.end(), {"-e", Script});
  // Every verb prints JSON on request.
  Spec.Flags.push_back("--json");
  TArgs Args(Rest, Spec);
  TOutput Out(Args.Has("--json"), OutFile);
  if (!Verb->ReadsOnly) Session.PrepareEdits();
  Verb->Run(Session, Args, Out);
  Out.Flush();
}

String VerbHelp(const TVerb& V) {
  String R = Format("  formwright %s\n", String(V.Usage));
  for (const String& L : SplitString(V.Summary, '\n')) R += "      " + L + "\n";
  return R;
}

String VersionText() { return "formwright 0.4.0\n"; }

String SummaryText() {
  String R =
      "formwright - edit form modules (.fwf) through the formwright design package\n"
      "\n"
      "usage: formwright VERB FILE... [options] [--json] [-j N] [--package LIB]...\n"
      "\n";
  for (const TVerb& V : Verbs()) {
    // The summary's opening words, up to its first colon, semicolon or parenthesis.
    const String First = SplitString(V.Summary, '\n').front();
    R += Format("  %-9s %s\n", String(V.Name), Trim(First.substr(0, First.find_first_of(":;("))));
  }
  R += "\n"
       "formwright help          everything, with every verb's options\n"
       "formwright VERB --help   one verb (formwright --version: the version)\n";
  return R;
}

String HelpText() {
  String R =
      "formwright - edit form modules (.fwf) through the formwright design package\n"
      "\n"
      "Every edit goes through the engine an IDE's form designer uses: the module root, the\n"
      "property editors, rename validation, component creation and the clipboard stream.\n"
      "A module's unit (Main.pas beside Main.fwf) names its class, ancestor and handlers; an\n"
      "inherited module or a module that embeds frames opens the modules it needs from the\n"
      "same folder (the .fwf file whose root has the needed class). Files are read in the\n"
      "binary or the text form and saved in the form they were read in.\n"
      "\n"
      "Verbs:\n";
  for (const TVerb& V : Verbs()) R += VerbHelp(V);
  R += "\n"
       "FILE... is one or more .fwf files or glob patterns; verbs over several files do the same\n"
       "to each, on every core (-j N: N at once; the core count by default), printing in the\n"
       "order the files were named. COMPONENT may be @root: the root of each module, whatever\n"
       "its name (formwright set *.fwf @root.Caption=Hello). --json prints every verb's result\n"
       "as JSON: an object for one file, an array for several. Nothing is saved unless the\n"
       "whole command (or script) succeeds: every form and\n"
       "unit is written beside its file first and all are put in place together, keeping their\n"
       "modes. What a command prints is printed once it has succeeded.\n"
       "\n"
       "Edits reach the modules of the same folder that inherit from or embed the edited one:\n"
       "they are opened with it, follow it (new, deleted and renamed components, every value they\n"
       "did not override) and are saved with it, all or nothing.\n"
       "\n"
       "Questions a person would answer in an IDE are answered so that nothing is lost silently:\n"
       "an error while reading a module stops the read; links to modules that are not open\n"
       "refuse the save; an inherited component missing from the ancestor is left to the reader.\n"
       "\n"
       "Design packages: --package LIB (any verb, as often as needed) loads a design package, a\n"
       "shared library that adds components and their editors (examples/packages builds one,\n"
       "gauges.so); FORMWRIGHT_PACKAGES holds more, separated by ':'. Their components can then\n"
       "be added, edited, shown and saved; a module that uses a component of a package that is\n"
       "not loaded is refused, naming its class.\n"
       "\n"
       "Exit status: 0 success, 1 refused or failed (the message says why, on standard error;\n"
       "no file changed), 2 bad usage.\n";
  return R;
}

}  // namespace formwright::tool
