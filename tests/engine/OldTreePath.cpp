#include "tests/engine/OldTreePath.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "engine/Doctype.h"
#include "engine/PageSerializer.h"

namespace kv {

namespace {

std::string Utf8(const QString& text) {
  return text.toStdString();
}

TDomNode NodeFromJson(const QJsonObject& object) {
  const QString kind = object.value(QLatin1String("k")).toString();
  if (kind == QLatin1String("t")) return TDomNode::Text(Utf8(object.value("d").toString()));
  if (kind == QLatin1String("c")) return TDomNode::Comment(Utf8(object.value("d").toString()));
  TDomNode node = TDomNode::Element(Utf8(object.value("n").toString()));
  for (const QJsonValue& attribute : object.value("a").toArray()) {
    QJsonArray pair = attribute.toArray();
    node.Attributes.emplace_back(Utf8(pair.at(0).toString()), Utf8(pair.at(1).toString()));
  }
  for (const QJsonValue& child : object.value("c").toArray())
    node.Children.push_back(NodeFromJson(child.toObject()));
  return node;
}

}  // namespace

QString OldTreeScript() {
  return QStringLiteral(R"JS(
(function () {
  function node(n) {
    if (n.nodeType === 1) {
      var attributes = [];
      for (var i = 0; i < n.attributes.length; i++)
        attributes.push([n.attributes[i].name, n.attributes[i].value]);
      var kids = (n.tagName === 'TEMPLATE' && n.content) ? n.content.childNodes : n.childNodes;
      var children = [];
      for (var j = 0; j < kids.length; j++) {
        var c = node(kids[j]);
        if (c) children.push(c);
      }
      return { k: 'e', n: n.tagName, a: attributes, c: children };
    }
    if (n.nodeType === 3 || n.nodeType === 4) return { k: 't', d: n.data };
    if (n.nodeType === 8) return { k: 'c', d: n.data };
    return null;
  }
  var d = document, out = { doctype: null, leading: [], root: null, trailing: [] };
  if (d.doctype)
    out.doctype = { name: d.doctype.name, publicId: d.doctype.publicId,
                    systemId: d.doctype.systemId };
  for (var i = 0; i < d.childNodes.length; i++) {
    var n = d.childNodes[i];
    if (n.nodeType === 1) out.root = node(n);
    else if (n.nodeType === 8) (out.root ? out.trailing : out.leading).push(node(n));
  }
  return JSON.stringify(out);
})())JS");
}

std::vector<std::string> OldTreeLines(const QString& json, const std::string& fileDoctype) {
  QJsonObject tree = QJsonDocument::fromJson(json.toUtf8()).object();
  TDomDocument document;
  QJsonValue doctype = tree.value(QLatin1String("doctype"));
  if (doctype.isObject()) {
    QJsonObject parts = doctype.toObject();
    std::string name = Utf8(parts.value("name").toString());
    std::string publicId = Utf8(parts.value("publicId").toString());
    std::string systemId = Utf8(parts.value("systemId").toString());
    document.Doctype =
        !fileDoctype.empty() && DoctypeDeclares(fileDoctype, name, publicId, systemId)
            ? fileDoctype
            : ComposeDoctype(name, publicId, systemId);
  }
  for (const QJsonValue& node : tree.value(QLatin1String("leading")).toArray())
    document.Leading.push_back(NodeFromJson(node.toObject()));
  document.Root = NodeFromJson(tree.value(QLatin1String("root")).toObject());
  for (const QJsonValue& node : tree.value(QLatin1String("trailing")).toArray())
    document.Trailing.push_back(NodeFromJson(node.toObject()));
  return SerializePage(document);
}

}  // namespace kv
