#include "host/FormTextMerge.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

#include "host/FormTextBlocks.h"

namespace formwright {

namespace {

using namespace formtext;

// How a block's `TabOrder` line is written: as the edit changed it, left out (reading the file
// gives that tab order), or written whenever the block has one.
enum class TTabLines { AsEdited, LeftOut, All };

// Builds the merged text of one block of the file from its block as loaded and as saved.
class TMerger {
 public:
  TMerger(const TFormText& File, const TFormText& Loaded, const TFormText& Saved)
      : F(File), L(Loaded), S(Saved) {
    const size_t Eol = F.Text().find('\n');
    FCrLf = Eol != String::npos && Eol > 0 && F.Text()[Eol - 1] == '\r';
  }

  // The indentation steps of the file and of the writer, from their roots.
  void Steps(const TBlock& FileRoot, const TBlock& LoadedRoot, const TBlock& SavedRoot) {
    FFileRoot = &FileRoot;
    FLoadedRoot = &LoadedRoot;
    FSavedRoot = &SavedRoot;
    const String Saved = Step(S, SavedRoot);
    FSavedStep = Saved.empty() ? 2 : Saved.size();
    FFileStep = Step(F, FileRoot);
    if (FFileStep.empty()) FFileStep = String(FSavedStep, ' ');
  }

  // Tab: how the block's `TabOrder` line is written (see TTabLines).
  // SameSiblings: the block's parent reads its children as it did (the same blocks in the same
  // order), so that an order index the file gives still means what it meant.
  String Merge(const TBlock& FB, const TBlock& LB, const TBlock& SB, TTabLines Tab = TTabLines::AsEdited,
               bool SameSiblings = true) {
    String Out;
    // The header: kind, name and class as saved, each where the file has it.
    Out += F.Slice(FB.Begin, FB.KindBegin);
    Out += Changed(F.Slice(FB.KindBegin, FB.KindEnd), L.Slice(LB.KindBegin, LB.KindEnd),
                   S.Slice(SB.KindBegin, SB.KindEnd));
    Out += F.Slice(FB.KindEnd, FB.NameBegin);
    Out += Changed(F.Slice(FB.NameBegin, FB.NameEnd), L.Slice(LB.NameBegin, LB.NameEnd),
                   S.Slice(SB.NameBegin, SB.NameEnd));
    Out += F.Slice(FB.NameEnd, FB.ClassBegin);
    Out += Changed(F.Slice(FB.ClassBegin, FB.ClassEnd), L.Slice(LB.ClassBegin, LB.ClassEnd),
                   S.Slice(SB.ClassBegin, SB.ClassEnd));
    // The order index goes with the place the edit gave the block among its siblings: the
    // file's as it stands while that place and its siblings are as they were, or where it says
    // what the writer says; the writer's otherwise.
    const String FileIndex = F.Slice(FB.ClassEnd, FB.IndexEnd),
                 SavedIndex = S.Slice(SB.ClassEnd, SB.IndexEnd);
    if (SameSiblings || IndexValue(FileIndex) == IndexValue(SavedIndex))
      Out += Changed(FileIndex, L.Slice(LB.ClassEnd, LB.IndexEnd), SavedIndex);
    else
      Out += SavedIndex;
    Out += F.Slice(FB.IndexEnd, FB.HeadEnd);
    Out += Properties(FB, LB, SB, Tab);
    Out += Children(FB, LB, SB);
    Out += F.Slice(FB.EndBegin, FB.End);
    return Out;
  }

 private:
  // The number an order index (` [2]`) gives, without its brackets and blanks; empty for none.
  static String IndexValue(const String& Index) {
    String V;
    for (const char C : Index)
      if (C != ' ' && C != '\t' && C != '[' && C != ']') V += C;
    return V;
  }

  // The file's text where loaded and saved agree; the saved text where they differ.
  static String Changed(const String& File, const String& Loaded, const String& Saved) {
    return Loaded == Saved ? File : Saved;
  }

  static const TProp* Find(const std::vector<TProp>& Props, const String& Key) {
    for (const TProp& P : Props)
      if (P.Key == Key) return &P;
    return nullptr;
  }

  // The lines of `Text` after its first moved from indentation `From` to `To`, each step of
  // the writer's indentation below `From` becoming one of the file's, with the file's line
  // endings.
  String Reindented(const String& Text, const String& From, const String& To) const {
    String Out;
    size_t At = 0;
    bool First = true;
    while (At < Text.size()) {
      const size_t Eol = Text.find('\n', At);
      const size_t Stop = Eol == String::npos ? Text.size() : Eol;
      String Line = Text.substr(At, Stop - At);
      if (!Line.empty() && Line.back() == '\r') Line.pop_back();
      if (!First && Line.compare(0, From.size(), From) == 0) {
        size_t Blanks = From.size();
        while (Blanks < Line.size() && Line[Blanks] == ' ') ++Blanks;
        const size_t Extra = Blanks - From.size();
        String Indent = To;
        for (size_t K = 0; K < Extra / FSavedStep; ++K) Indent += FFileStep;
        Line = Indent + String(Extra % FSavedStep, ' ') + Line.substr(Blanks);
      }
      Out += Line;
      if (Eol != String::npos) Out += FCrLf ? "\r\n" : "\n";
      At = Stop + 1;
      First = false;
    }
    return Out;
  }

  // One step of indentation below a block's header in `T`, from the root's first property or
  // child; empty when the root has neither.
  static String Step(const TFormText& T, const TBlock& Root) {
    const size_t Inner = !Root.Props.empty()      ? Root.Props.front().LineBegin
                         : !Root.Children.empty() ? Root.Children.front().Begin
                                                  : String::npos;
    if (Inner == String::npos) return String();
    return T.IndentOf(Inner).substr(std::min(T.IndentOf(Root.Begin).size(), T.IndentOf(Inner).size()));
  }

  String PropertyIndent(const TBlock& FB, const TBlock& SB) const {
    if (!FB.Props.empty()) return F.IndentOf(FB.Props.front().LineBegin);
    if (!FB.Children.empty()) return F.IndentOf(FB.Children.front().Begin);
    const String SavedStep = SB.Props.empty()
                                 ? String("  ")
                                 : S.IndentOf(SB.Props.front().LineBegin).substr(S.IndentOf(SB.Begin).size());
    return F.IndentOf(FB.Begin) + SavedStep;
  }

  String Properties(const TBlock& FB, const TBlock& LB, const TBlock& SB, TTabLines Tab) {
    const String Indent = PropertyIndent(FB, SB);
    const String SavedIndent = SB.Props.empty() ? String() : S.IndentOf(SB.Props.front().LineBegin);
    String Out;
    size_t At = FB.HeadEnd;
    for (const TProp& P : FB.Props) {
      Out += F.Slice(At, P.LineBegin);
      At = P.LineBegin;
      const TProp* LP = Find(LB.Props, P.Key);
      const TProp* SP = Find(SB.Props, P.Key);
      const String LV = LP ? L.Slice(LP->ValueBegin, LP->ValueEnd) : String();
      const String SV = SP ? S.Slice(SP->ValueBegin, SP->ValueEnd) : String();
      if (static_cast<bool>(LP) == static_cast<bool>(SP) && LV == SV) continue;  // not edited
      if (!SP) {                                                                 // removed
        Out += F.Slice(At, P.LineBegin);
        At = P.LineEnd;
        continue;
      }
      Out += F.Slice(At, P.ValueBegin) + Reindented(SV, SavedIndent, Indent);
      At = P.ValueEnd;
    }
    const size_t PropsEnd = FB.Props.empty() ? FB.HeadEnd : FB.Props.back().LineEnd;
    Out += F.Slice(At, PropsEnd);
    // Properties the edit gave a value the file does not write, after the file's own.
    for (const TProp& P : SB.Props) {
      const bool TabLine = P.Key == "taborder";
      if (Find(FB.Props, P.Key) || (Tab == TTabLines::LeftOut && TabLine)) continue;
      const TProp* LP = Find(LB.Props, P.Key);
      if (LP && L.Slice(LP->ValueBegin, LP->ValueEnd) == S.Slice(P.ValueBegin, P.ValueEnd) &&
          !(Tab == TTabLines::All && TabLine))
        continue;
      Out += Indent + Reindented(S.Slice(P.LineBegin + SavedIndent.size(), P.LineEnd), SavedIndent, Indent);
      if (P.LineEnd == S.Text().size()) Out += FCrLf ? "\r\n" : "\n";
    }
    return Out;
  }

  // The blocks of a list by name regardless of case, each name with its blocks in list order:
  // a form of thousands of components is matched in one pass, not by a search per component.
  static std::unordered_map<String, std::vector<size_t>> ByName(const std::vector<TBlock>& Blocks,
                                                                const TFormText& T) {
    std::unordered_map<String, std::vector<size_t>> Index;
    for (size_t I = 0; I < Blocks.size(); ++I)
      Index[LowerCase(T.Slice(Blocks[I].NameBegin, Blocks[I].NameEnd))].push_back(I);
    return Index;
  }

  // An inherited block that overrides nothing, nor holds a block that does: a module that
  // inherits reads the same without it, and authors often leave such blocks out.
  static bool OverridesNothing(const TFormText& T, const TBlock& B) {
    return SameText(T.Slice(B.KindBegin, B.KindEnd), "inherited") && B.Props.empty() && !B.Indexed &&
           std::all_of(B.Children.begin(), B.Children.end(),
                       [&](const TBlock& C) { return OverridesNothing(T, C); });
  }

  // How the children's `TabOrder` lines are written. A file that writes none leaves each
  // child's tab order to the order the children are read in: when the saved tab orders are that
  // order (0, 1, 2 … among those that have one), a deletion, a move or an addition needs no line;
  // when the edit put children in front of one another (InOrder false), reading them in their
  // new order would give other tab orders, so every child's line is written.
  TTabLines TabLines(const TBlock& FB, const TBlock& SB, bool InOrder) const {
    for (const TBlock& C : FB.Children)
      if (Find(C.Props, "taborder")) return TTabLines::AsEdited;
    int Next = 0;
    for (const TBlock& C : SB.Children)
      if (const TProp* P = Find(C.Props, "taborder"))
        if (S.Slice(P->ValueBegin, P->ValueEnd) != IntToStr(Next++))
          return InOrder ? TTabLines::AsEdited : TTabLines::All;
    return TTabLines::LeftOut;
  }

  String Children(const TBlock& FB, const TBlock& LB, const TBlock& SB) {
    // Every component loaded is in the file, and the other way round, under the same names;
    // only inherited blocks that override nothing may be left out of the file.
    // The file's block of each loaded child: the first of its name (null: left out).
    const auto FileNames = ByName(FB.Children, F);
    std::vector<const TBlock*> FileOfLoaded(LB.Children.size(), nullptr);
    size_t LeftOut = 0;
    for (size_t J = 0; J < LB.Children.size(); ++J) {
      auto It = FileNames.find(LowerCase(L.Slice(LB.Children[J].NameBegin, LB.Children[J].NameEnd)));
      if (It != FileNames.end())
        FileOfLoaded[J] = &FB.Children[It->second.front()];
      else if (OverridesNothing(L, LB.Children[J]))
        ++LeftOut;
      else
        throw TMismatch();
    }
    if (FB.Children.size() + LeftOut != LB.Children.size()) throw TMismatch();
    // A saved component takes the first loaded one of its name not taken yet; what is left
    // over on both sides at the same place among the others is one component renamed.
    std::vector<const TBlock*> LoadedOf(SB.Children.size(), nullptr);
    std::vector<bool> Kept(LB.Children.size(), false);
    auto LoadedNames = ByName(LB.Children, L);
    std::unordered_map<String, size_t> NextOfName;  // how many of a name's loaded blocks are taken
    for (size_t I = 0; I < SB.Children.size(); ++I) {
      const String Name = S.Slice(SB.Children[I].NameBegin, SB.Children[I].NameEnd);
      if (Name.empty()) continue;
      const String Key = LowerCase(Name);
      auto It = LoadedNames.find(Key);
      size_t& Next = NextOfName[Key];
      if (It == LoadedNames.end() || Next >= It->second.size()) continue;
      const size_t J = It->second[Next++];
      LoadedOf[I] = &LB.Children[J];
      Kept[J] = true;
    }
    // A component moved in from another parent, or out to one, is neither new nor renamed.
    std::vector<size_t> Gone, New;
    for (size_t J = 0; J < LB.Children.size(); ++J)
      if (!Kept[J] && !Moved(NameOf(L, LB.Children[J]))) Gone.push_back(J);
    for (size_t I = 0; I < SB.Children.size(); ++I)
      if (!LoadedOf[I] && !Moved(NameOf(S, SB.Children[I]))) New.push_back(I);
    if (Gone.size() == New.size())
      for (size_t K = 0; K < Gone.size(); ++K) {
        const TBlock& Was = LB.Children[Gone[K]];
        const TBlock& Is = SB.Children[New[K]];
        if (SameText(L.Slice(Was.ClassBegin, Was.ClassEnd), S.Slice(Is.ClassBegin, Is.ClassEnd)) &&
            Gone[K] == New[K])
          LoadedOf[New[K]] = &Was;
      }

    // The children's region, each child with the blank lines before it: in the file's order
    // when the kept children keep their order, in the saved order when the edit reordered them.
    const size_t RegionBegin = FB.Props.empty() ? FB.HeadEnd : FB.Props.back().LineEnd;
    for (const TBlock& C : FB.Children)
      if (C.Begin < RegionBegin) throw TMismatch();  // properties after components
    const String ChildIndent =
        FB.Children.empty() ? PropertyIndent(FB, SB) : F.IndentOf(FB.Children.front().Begin);
    TTabLines Tab = TTabLines::AsEdited;  // known once the order is
    auto FileBlock = [&](const TBlock* LC) {
      return LC ? FileOfLoaded[static_cast<size_t>(LC - LB.Children.data())] : nullptr;
    };
    auto Lead = [&](const TBlock* FC) {
      const size_t Index = static_cast<size_t>(FC - FB.Children.data());
      return F.Slice(Index == 0 ? RegionBegin : FB.Children[Index - 1].End, FC->Begin);
    };
    auto Added = [&](const TBlock& SC) {
      // A component the module gained through its ancestor or frame, which it does not
      // override, reads the same without a block: the author's file is not touched for it.
      if (OverridesNothing(S, SC)) return String();
      // A component moved here keeps its lines as the file has them, edited as saved.
      if (const TPlace* P = Moved(NameOf(S, SC)))
        return Shifted(Merge(*P->FileBlock, *P->Block, SC, Tab, false), F.IndentOf(P->FileBlock->Begin),
                       ChildIndent);
      const String From = S.IndentOf(SC.Begin);
      String Text = ChildIndent + Reindented(S.Slice(SC.Begin + From.size(), SC.End), From, ChildIndent);
      if (SC.End == S.Text().size()) Text += FCrLf ? "\r\n" : "\n";
      return Text;
    };
    // The edit kept the children (none added, gone or moved, the same order as read): the
    // file's order stands, with the order indexes it gives, whatever order the writer lists
    // them in.
    bool EditKeptOrder = SB.Children.size() == LB.Children.size();
    for (size_t I = 0; I < LoadedOf.size() && EditKeptOrder; ++I)
      EditKeptOrder = LoadedOf[I] && (I == 0 || LoadedOf[I - 1] < LoadedOf[I]);
    bool InOrder = true;
    const TBlock* Last = nullptr;
    for (const TBlock* LC : LoadedOf)
      if (FileBlock(LC)) {
        if (Last && FileBlock(LC) < FileBlock(Last)) InOrder = false;
        Last = LC;
      }
    InOrder = InOrder || EditKeptOrder;
    Tab = TabLines(FB, SB, InOrder);
    const bool SameSiblings = EditKeptOrder;
    String Out;
    if (InOrder) {
      // New children after the file's block of the kept child saved before them.
      std::map<const TBlock*, String> After;  // by the file's block; null: the region's start
      const TBlock* Before = nullptr;
      for (size_t I = 0; I < SB.Children.size(); ++I) {
        if (const TBlock* FC = FileBlock(LoadedOf[I]))
          Before = FC;
        else
          After[Before] += Added(SB.Children[I]);
      }
      Out += After[nullptr];
      // The first saved child that keeps each block of the file.
      std::vector<size_t> SavedOfFile(FB.Children.size(), SB.Children.size());
      for (size_t I = SB.Children.size(); I-- > 0;)
        if (const TBlock* FC = FileBlock(LoadedOf[I]))
          SavedOfFile[static_cast<size_t>(FC - FB.Children.data())] = I;
      for (size_t K = 0; K < FB.Children.size(); ++K) {
        const TBlock& FC = FB.Children[K];
        if (const size_t I = SavedOfFile[K]; I < SB.Children.size())
          Out += Lead(&FC) + Merge(FC, *LoadedOf[I], SB.Children[I], Tab, SameSiblings);
        Out += After[&FC];
      }
    } else {
      for (size_t I = 0; I < SB.Children.size(); ++I)
        if (const TBlock* FC = FileBlock(LoadedOf[I]))
          Out += Lead(FC) + Merge(*FC, *LoadedOf[I], SB.Children[I], Tab, false);
        else
          Out += Added(SB.Children[I]);
    }
    // Blank lines after the last child stay.
    Out += F.Slice(FB.Children.empty() ? RegionBegin : FB.Children.back().End, FB.EndBegin);
    return Out;
  }

  // Where each named component stands in a module's text: its block, its parent's name and, for
  // the loaded text, the file's block of it. A name met twice (components of embedded frames
  // are named within the frame) is not followed.
  struct TPlace {
    const TBlock* Block = nullptr;
    const TBlock* FileBlock = nullptr;
    String Parent;
  };
  using TPlaces = std::unordered_map<String, TPlace>;

  static String NameOf(const TFormText& T, const TBlock& B) {
    return LowerCase(T.Slice(B.NameBegin, B.NameEnd));
  }

  static void Place(TPlaces& Places, const String& Key, const TPlace& P) {
    if (Key.empty()) return;
    auto [It, Fresh] = Places.emplace(Key, P);
    if (!Fresh) It->second = TPlace();
  }
  void PlaceSaved(const TBlock& SB) {
    for (const TBlock& C : SB.Children) {
      Place(FSavedPlaces, NameOf(S, C), {&C, nullptr, NameOf(S, SB)});
      PlaceSaved(C);
    }
  }
  void PlaceLoaded(const TBlock& FB, const TBlock& LB) {
    const auto FileNames = ByName(FB.Children, F);
    for (const TBlock& C : LB.Children) {
      const String Key = NameOf(L, C);
      auto It = FileNames.find(Key);
      if (It == FileNames.end()) continue;
      const TBlock& FC = FB.Children[It->second.front()];
      Place(FLoadedPlaces, Key, {&C, &FC, NameOf(L, LB)});
      PlaceLoaded(FC, C);
    }
  }
  // The loaded component of that name when an edit moved it to another parent, of the same
  // kind and class; null otherwise. The places are found on first use: most saves move nothing.
  const TPlace* Moved(const String& Key) {
    if (!FPlaced) {
      PlaceLoaded(*FFileRoot, *FLoadedRoot);
      PlaceSaved(*FSavedRoot);
      FPlaced = true;
    }
    auto LIt = FLoadedPlaces.find(Key);
    auto SIt = FSavedPlaces.find(Key);
    if (Key.empty() || LIt == FLoadedPlaces.end() || SIt == FSavedPlaces.end() || !LIt->second.Block ||
        !SIt->second.Block || LIt->second.Parent == SIt->second.Parent)
      return nullptr;
    const TBlock& Was = *LIt->second.Block;
    const TBlock& Is = *SIt->second.Block;
    const bool Same = SameText(L.Slice(Was.KindBegin, Was.KindEnd), S.Slice(Is.KindBegin, Is.KindEnd)) &&
                      SameText(L.Slice(Was.ClassBegin, Was.ClassEnd), S.Slice(Is.ClassBegin, Is.ClassEnd));
    return Same ? &LIt->second : nullptr;
  }

  // The lines of Text moved from indentation From to To (a line that does not start with From,
  // such as a continued value written further left, stays as it is).
  static String Shifted(const String& Text, const String& From, const String& To) {
    String Out;
    for (size_t At = 0; At < Text.size();) {
      const size_t Eol = Text.find('\n', At);
      const size_t Stop = Eol == String::npos ? Text.size() : Eol + 1;
      if (Text.compare(At, From.size(), From) == 0)
        Out += To + Text.substr(At + From.size(), Stop - At - From.size());
      else
        Out += Text.substr(At, Stop - At);
      At = Stop;
    }
    return Out;
  }

  const TFormText& F;
  const TFormText& L;
  const TFormText& S;
  const TBlock* FFileRoot = nullptr;
  const TBlock* FLoadedRoot = nullptr;
  const TBlock* FSavedRoot = nullptr;
  bool FPlaced = false;
  TPlaces FLoadedPlaces, FSavedPlaces;
  bool FCrLf = false;
  size_t FSavedStep = 2;
  String FFileStep = "  ";
};

}  // namespace

std::optional<String> MergeFormText(const String& Original, const String& Loaded, const String& Saved) {
  if (Loaded == Saved) return Original;
  // A byte-order mark before the file's text stays where it is.
  const String Bom = "\xEF\xBB\xBF";
  if (Original.compare(0, Bom.size(), Bom) == 0) {
    auto Merged = MergeFormText(Original.substr(Bom.size()), Loaded, Saved);
    return Merged ? std::optional<String>(Bom + *Merged) : std::nullopt;
  }
  try {
    TFormText File(Original), LoadedText(Loaded), SavedText(Saved);
    const TBlock FB = File.Parse(), LB = LoadedText.Parse(), SB = SavedText.Parse();
    TMerger M(File, LoadedText, SavedText);
    M.Steps(FB, LB, SB);
    return Original.substr(0, FB.Begin) + M.Merge(FB, LB, SB) + Original.substr(FB.End);
  } catch (const Exception&) {
    return std::nullopt;
  } catch (const TMismatch&) {
    return std::nullopt;
  }
}

}  // namespace formwright
