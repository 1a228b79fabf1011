#include "tools/Output.h"

#include <unistd.h>

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>

namespace formwright::tool {

// The columns a text takes on a terminal: one per character, two for the wide characters of
// East Asian scripts, none for combining marks and format characters.
size_t TextWidth(std::string_view S) {
  size_t Width = 0;
  for (int32_t I = 0, N = static_cast<int32_t>(S.size()); I < N;) {
    // Every ASCII character, control characters included, takes one column by the tables below.
    if (static_cast<unsigned char>(S[static_cast<size_t>(I)]) < 0x80) {
      ++Width;
      ++I;
      continue;
    }
    UChar32 C = 0;
    U8_NEXT(S.data(), I, N, C);
    if (C < 0) {
      ++Width;  // a stray byte still takes a column
      continue;
    }
    const auto Category = u_charType(C);
    if (Category == U_NON_SPACING_MARK || Category == U_ENCLOSING_MARK || Category == U_FORMAT_CHAR) continue;
    const auto East = u_getIntPropertyValue(C, UCHAR_EAST_ASIAN_WIDTH);
    Width += East == U_EA_WIDE || East == U_EA_FULLWIDTH ? 2 : 1;
  }
  return Width;
}

namespace {

String Pad(const String& S, size_t Width) {
  const size_t W = TextWidth(S);
  return W >= Width ? S + " " : S + String(Width - W, ' ');
}

// At most Width columns of S, whole characters only; a cut text ends in "...".
String Clip(const String& S, size_t Width) {
  if (TextWidth(S) <= Width) return S;
  size_t Used = 0;
  int32_t I = 0;
  const int32_t N = static_cast<int32_t>(S.size());
  while (I < N) {
    int32_t Next = I;
    U8_FWD_1(S.data(), Next, N);
    const size_t W = TextWidth(std::string_view(S).substr(I, Next - I));
    if (Used + W > Width - 3) break;
    Used += W;
    I = Next;
  }
  return S.substr(0, I) + "...";
}

// A value on one table line: line breaks, tabs and other control characters as escapes.
String OneLine(const String& S) {
  String R;
  for (const char Ch : S) {
    if (Ch == '\n')
      R += "\\n";
    else if (Ch == '\r')
      R += "\\r";
    else if (Ch == '\t')
      R += "\\t";
    else if (static_cast<unsigned char>(Ch) < 0x20)
      R += Format("\\x%.2X", static_cast<unsigned>(Ch));
    else
      R += Ch;
  }
  return R;
}

String Columns(const std::vector<std::pair<String, String>>& Lines, const String& Indent) {
  size_t Width = 0;
  for (const auto& L : Lines) Width = std::max(Width, TextWidth(L.first));
  String R;
  for (const auto& [Left, Right] : Lines)
    R += Indent + (Right.empty() ? Left : Pad(Left, Width + 2) + Right) + "\n";
  return R;
}

}  // namespace

String RenderTable(const std::vector<std::vector<String>>& Rows, const String& Indent) {
  std::vector<size_t> W;
  for (const auto& Row : Rows) {
    W.resize(std::max(W.size(), Row.size()));
    for (size_t I = 0; I < Row.size(); ++I) W[I] = std::max(W[I], TextWidth(Row[I]));
  }
  String R;
  for (const auto& Row : Rows) {
    String Line = Indent;
    for (size_t I = 0; I < Row.size(); ++I) Line += I + 1 < Row.size() ? Pad(Row[I], W[I] + 2) : Row[I];
    R += Line + "\n";
  }
  return R;
}

namespace {

// The attribute names, as --json lists them.
String AttributesText(const json& Attrs) {
  String R;
  for (const json& A : Attrs) R += (R.empty() ? "" : " ") + A.get<String>();
  return R;
}

// A value list shows in full when short; long lists (colours, cursors) show their first entries.
String ValuesText(const json& Values) {
  constexpr size_t Shown = 8;
  String R;
  const size_t N = Values.size();
  for (size_t I = 0; I < N && I < Shown; ++I) R += (I ? ", " : "") + Values[I].get<String>();
  if (N > Shown) R += Format(", ... (%d values; --json lists all)", static_cast<int>(N));
  return R;
}

// One line of the property table: the cells of the columns, or a note under a property (its
// value list, its lines) that spans the value columns.
struct TTableRow {
  std::array<String, 5> Cells;  // name, value, origin, editor, attributes
  String Note;
};
constexpr size_t ValueWidth = 28, CellWidth = 40, LinesShown = 8;

void PropertyRows(const json& Props, int Depth, std::vector<TTableRow>& Rows) {
  const String Indent(static_cast<size_t>(Depth) * 2, ' ');
  for (const json& P : Props) {
    Rows.push_back({{Indent + P["name"].get<String>(), OneLine(P["value"].get<String>()),
                     P.value("origin", ""), P["editor"].get<String>(), AttributesText(P["attributes"])},
                    String()});
    // A yes/no list says nothing the value column does not; JSON keeps it.
    if (P.contains("values") && !P["values"].empty() && P["values"] != json{"False", "True"})
      Rows.push_back({{}, Indent + "values: " + ValuesText(P["values"])});
    if (P.contains("lines")) {
      const json& Lines = P["lines"];
      for (size_t I = 0; I < Lines.size() && I < LinesShown; ++I)
        Rows.push_back({{}, Indent + "| " + OneLine(Lines[I].get<String>())});
      if (Lines.size() > LinesShown)
        Rows.push_back({{},
                        Indent + Format("... (%d lines; --lines %s prints them all)",
                                        static_cast<int>(Lines.size()), P["name"].get<String>())});
    }
    if (P.contains("items")) PropertyRows(P["items"], Depth + 1, Rows);
    if (P.contains("properties")) PropertyRows(P["properties"], Depth + 1, Rows);
  }
}

}  // namespace

String RenderTree(const String& File, const String& Module, const String& Class, const String& Ancestor,
                  const String& Form, const std::vector<std::pair<String, String>>& Lines) {
  return Format("%s: module %s (%s, inherits %s), %s form\n", File, Module, Class, Ancestor, Form) +
         Columns(Lines, "  ");
}

String RenderProperties(const json& Doc) {
  String Names;
  for (const json& N : Doc["selection"]) Names += (Names.empty() ? "" : ", ") + N.get<String>();
  String R = Format("%s: %s of %s\n", Doc["file"].get<String>(), Doc["page"].get<String>(), Names);
  std::vector<TTableRow> Rows{{{"name", "value", "origin", "editor", "attributes"}, String()}};
  PropertyRows(Doc["properties"], 0, Rows);
  // The origin column shows only in a module that inherits.
  const bool Origins =
      std::any_of(Rows.begin() + 1, Rows.end(), [](const TTableRow& T) { return !T.Cells[2].empty(); });
  std::array<size_t, 5> W{};
  for (const TTableRow& Row : Rows)
    if (Row.Note.empty())
      for (size_t I = 0; I < W.size(); ++I)
        W[I] = std::max(W[I], std::min(TextWidth(Row.Cells[I]), I == 1 ? ValueWidth : CellWidth));
  for (const TTableRow& Row : Rows) {
    String Line = "  ";
    if (!Row.Note.empty()) {
      Line += String(W[0] + 2, ' ') + Row.Note;
    } else {
      for (size_t I = 0; I < 4; ++I)
        if (I != 2 || Origins)
          Line += Pad(I == 1 ? Clip(Row.Cells[I], ValueWidth) : Row.Cells[I], W[I] + 1) + " ";
      Line += Row.Cells[4];
    }
    while (!Line.empty() && Line.back() == ' ') Line.pop_back();
    R += Line + "\n";
  }
  return R;
}

String RenderLines(const json& Doc) {
  String R;
  for (const json& L : Doc["lines"]) R += L.get<String>() + "\n";
  return R;
}

String RenderHandlers(const json& Doc) {
  String R = Format("%s: handlers of %s (unit %s)\n", Doc["file"].get<String>(), Doc["module"].get<String>(),
                    Doc["unit"].get<String>());
  if (Doc["handlers"].empty()) return R + "  (none)\n";
  std::vector<std::pair<String, String>> Lines;
  for (const json& H : Doc["handlers"]) {
    String Used;
    for (const json& E : H["events"]) Used += (Used.empty() ? "" : ", ") + E.get<String>();
    if (Used.empty()) Used = "(not assigned to any event)";
    if (H.contains("inherited_from"))
      Used += "  (declared in unit " + H["inherited_from"].get<String>() + ")";
    else if (H.contains("ancestor_unit_missing"))
      Used += Format("  [not found: %s, the unit of %s, is missing]",
                     H["ancestor_unit_missing"].get<String>(), H["ancestor"].get<String>());
    else if (!H["in_unit"].get<bool>())
      Used += "  [missing from the unit]";
    Lines.emplace_back(H["declaration"].get<String>(), "<- " + Used);
  }
  return R + Columns(Lines, "  ");
}

TOutput::~TOutput() { EndProgress(); }

void TOutput::Add(TDocKind Kind, json Doc, String Text) {
  FDocs.push_back({Kind, std::move(Doc), std::move(Text)});
}

void TOutput::Add(json Doc, String Text) { Add(TDocKind::Rendered, std::move(Doc), std::move(Text)); }

void TOutput::Flush() {
  EndProgress();
  if (FDocs.empty()) return;
  if (FJson) {
    json All = json::array();
    for (auto& D : FDocs) All.push_back(std::move(D.Doc));
    const String Text = (All.size() == 1 ? All[0] : All).dump(2);
    std::fprintf(FOut, "%s\n", Text.c_str());
  } else {
    for (size_t I = 0; I < FDocs.size(); ++I) {
      const auto& [Kind, Doc, Rendered] = FDocs[I];
      if (Kind == TDocKind::Rendered) {
        std::fprintf(FOut, "%s", Rendered.c_str());
        continue;
      }
      const String Text = Kind == TDocKind::Tree         ? Rendered
                          : Kind == TDocKind::Properties ? RenderProperties(Doc)
                          : Kind == TDocKind::Lines      ? RenderLines(Doc)
                                                         : RenderHandlers(Doc);
      std::fprintf(FOut, "%s%s", I ? "\n" : "", Text.c_str());
    }
  }
  std::fflush(FOut);
  FDocs.clear();
}

void TOutput::Say(const String& Line, json Record) {
  if (FJson)
    Add(std::move(Record), Line + "\n");
  else
    Say(Line);
}

void TOutput::Say(const String& Line) {
  EndProgress();
  std::fprintf(FOut, "%s\n", Line.c_str());
  std::fflush(FOut);
}

void TOutput::Progress(size_t Index, size_t Count, const String& File) {
  constexpr size_t Many = 4;
  if (Count <= Many || !isatty(fileno(FErr))) return;
  std::fprintf(FErr, "\r\033[K[%zu/%zu] %s", Index + 1, Count, File.c_str());
  std::fflush(FErr);
  FProgressShown = true;
}

void TOutput::EndProgress() {
  if (!FProgressShown) return;
  std::fprintf(FErr, "\r\033[K");
  std::fflush(FErr);
  FProgressShown = false;
}

}  // namespace formwright::tool
