#include "tools/Output.h"

#include <unistd.h>

#include <algorithm>
#include <array>

namespace formwright::tool {

namespace {

String Pad(const String& S, size_t Width) {
  return S.size() >= Width ? S + " " : S + String(Width - S.size(), ' ');
}

String BoundsText(const json& Node) {
  if (Node.contains("bounds")) {
    const json& B = Node["bounds"];
    return Format("at %d,%d size %dx%d", B["left"].get<int>(), B["top"].get<int>(), B["width"].get<int>(),
                  B["height"].get<int>());
  }
  if (Node.contains("position")) {
    const json& P = Node["position"];
    return Format("icon at %d,%d", P["left"].get<int>(), P["top"].get<int>());
  }
  return String();
}

void TreeLines(const json& Node, int Depth, std::vector<std::pair<String, String>>& Lines) {
  String Label = String(static_cast<size_t>(Depth) * 2, ' ') + Node["name"].get<String>() + ": " +
                 Node["class"].get<String>();
  String Notes = BoundsText(Node);
  if (Node.value("inline", false)) Notes += Notes.empty() ? "embedded frame" : ", embedded frame";
  if (Node.value("inherited", false)) Notes += Notes.empty() ? "inherited" : ", inherited";
  Lines.emplace_back(Label, Notes);
  if (Node.contains("children"))
    for (const json& C : Node["children"]) TreeLines(C, Depth + 1, Lines);
}

String Columns(const std::vector<std::pair<String, String>>& Lines, const String& Indent) {
  size_t Width = 0;
  for (const auto& L : Lines) Width = std::max(Width, L.first.size());
  String R;
  for (const auto& [Left, Right] : Lines)
    R += Indent + (Right.empty() ? Left : Pad(Left, Width + 2) + Right) + "\n";
  return R;
}

// Attribute names without their "pa" prefix read better in a table.
String AttributesText(const json& Attrs) {
  String R;
  for (const json& A : Attrs) {
    String S = A.get<String>();
    if (StartsText("pa", S)) S = S.substr(2);
    R += (R.empty() ? "" : " ") + S;
  }
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

void PropertyRows(const json& Props, int Depth, std::vector<std::array<String, 4>>& Rows) {
  const String Indent(static_cast<size_t>(Depth) * 2, ' ');
  for (const json& P : Props) {
    Rows.push_back({Indent + P["name"].get<String>(), P["value"].get<String>(), P["editor"].get<String>(),
                    AttributesText(P["attributes"])});
    // A yes/no list says nothing the value column does not; JSON keeps it.
    if (P.contains("values") && !P["values"].empty() && P["values"] != json{"False", "True"})
      Rows.push_back({String(), String(), String(), Indent + "values: " + ValuesText(P["values"])});
    if (P.contains("properties")) PropertyRows(P["properties"], Depth + 1, Rows);
  }
}

}  // namespace

String RenderTree(const json& Doc) {
  String R = Format("%s: module %s (%s, inherits %s), %s form\n", Doc["file"].get<String>(),
                    Doc["module"].get<String>(), Doc["class"].get<String>(), Doc["ancestor"].get<String>(),
                    Doc["format"].get<String>());
  std::vector<std::pair<String, String>> Lines;
  TreeLines(Doc["root"], 0, Lines);
  return R + Columns(Lines, "  ");
}

String RenderProperties(const json& Doc) {
  String Names;
  for (const json& N : Doc["selection"]) Names += (Names.empty() ? "" : ", ") + N.get<String>();
  String R = Format("%s: %s of %s\n", Doc["file"].get<String>(), Doc["page"].get<String>(), Names);
  std::vector<std::array<String, 4>> Rows{{"name", "value", "editor", "attributes"}};
  PropertyRows(Doc["properties"], 0, Rows);
  size_t W[3] = {0, 0, 0};
  for (const auto& Row : Rows)
    if (!Row[0].empty() || !Row[1].empty())
      for (size_t I = 0; I < 3; ++I) W[I] = std::max(W[I], std::min<size_t>(Row[I].size(), I == 1 ? 28 : 40));
  for (const auto& Row : Rows) {
    if (Row[0].empty() && Row[2].empty()) {  // a value list under its property
      R += "  " + String(W[0] + 2, ' ') + Row[3] + "\n";
      continue;
    }
    String Value = Row[1].size() > 28 ? Row[1].substr(0, 25) + "..." : Row[1];
    R += "  " + Pad(Row[0], W[0] + 1) + " " + Pad(Value, W[1] + 1) + " " + Pad(Row[2], W[2] + 1) + " " +
         Row[3];
    while (!R.empty() && R.back() == ' ') R.pop_back();
    R += "\n";
  }
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
    if (!H["in_unit"].get<bool>()) Used += "  [missing from the unit]";
    Lines.emplace_back(H["declaration"].get<String>(), "<- " + Used);
  }
  return R + Columns(Lines, "  ");
}

TOutput::~TOutput() { EndProgress(); }

void TOutput::Add(TDocKind Kind, json Doc) { FDocs.emplace_back(Kind, std::move(Doc)); }

void TOutput::Add(json Doc, String Text) {
  FDocs.emplace_back(TDocKind::Rendered, std::move(Doc));
  FTexts.push_back(std::move(Text));
}

void TOutput::Flush() {
  EndProgress();
  if (FDocs.empty()) return;
  if (FJson) {
    json All = json::array();
    for (auto& D : FDocs) All.push_back(std::move(D.second));
    const String Text = (All.size() == 1 ? All[0] : All).dump(2);
    std::fprintf(FOut, "%s\n", Text.c_str());
  } else {
    size_t Rendered = 0;
    for (size_t I = 0; I < FDocs.size(); ++I) {
      const auto& [Kind, Doc] = FDocs[I];
      if (Kind == TDocKind::Rendered) {
        std::fprintf(FOut, "%s", FTexts[Rendered++].c_str());
        continue;
      }
      const String Text = Kind == TDocKind::Tree         ? RenderTree(Doc)
                          : Kind == TDocKind::Properties ? RenderProperties(Doc)
                                                         : RenderHandlers(Doc);
      std::fprintf(FOut, "%s%s", I ? "\n" : "", Text.c_str());
    }
  }
  std::fflush(FOut);
  FDocs.clear();
  FTexts.clear();
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
