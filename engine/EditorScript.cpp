#include "engine/EditorScript.h"

#include <QFile>

namespace kv {

namespace {

// window.__kv: the page's side of the bridge. Every report carries a rising sequence number so
// that C++ keeps the newest state whichever route it came by.
const char* const kEditorScript = R"JS(
(function () {
  if (window.__kv && window.__kv.doc === document) return;
  var kv = window.__kv = { doc: document, seq: 0, bridge: null };
  // Rising across documents too: C++ keeps only a report newer than the last one it has.
  function nextSequence() {
    kv.seq = Math.max(kv.seq + 0.001, performance.timeOrigin + performance.now());
    return kv.seq;
  }

  function selectionStart() {
    var sel = document.getSelection();
    if (!sel || sel.rangeCount === 0) return null;
    return sel.getRangeAt(0).startContainer;
  }
  function state(name) {
    try { return document.queryCommandState(name); } catch (e) { return null; }
  }
  function value(name) {
    try { return document.queryCommandValue(name); } catch (e) { return null; }
  }
  function insideLink() {
    for (var n = selectionStart(); n; n = n.parentNode)
      if (n.nodeType === 1 && n.tagName === 'A' && n.hasAttribute('href')) return true;
    return false;
  }
  // The innermost block format at the caret; a list item reports its list.
  kv.blockFormat = function () {
    for (var n = selectionStart(); n && n !== document.body; n = n.parentNode) {
      if (n.nodeType !== 1) continue;
      var t = n.tagName.toLowerCase();
      if (/^(h[1-6]|p|pre|address)$/.test(t)) return t;
      if (t === 'li') {
        var list = n.parentNode;
        return list && list.tagName && list.tagName.toLowerCase() === 'ol' ? 'ol' : 'ul';
      }
    }
    return 'p';
  };
  kv.state = function () {
    return {
      seq: nextSequence(),
      Bold: state('bold'), Italic: state('italic'), Underline: state('underline'),
      JustifyLeft: state('justifyLeft'), JustifyCenter: state('justifyCenter'),
      JustifyRight: state('justifyRight'), CreateLink: insideLink(),
      FontSize: value('fontSize'), FontName: value('fontName'), ForeColor: value('foreColor'),
      FormatBlock: kv.blockFormat()
    };
  };
  kv.report = function (kind) {
    var s = kv.state();
    s.kind = kind;
    if (kv.takeChange && kv.takeChange()) s.changed = true;
    if (kv.bridge) kv.bridge.Report(JSON.stringify(s));
    return s;
  };

  // Font name "": the default font, so every face inside the selection goes.
  function clearFontName() {
    var sel = document.getSelection();
    if (!sel || sel.rangeCount === 0) return true;
    var range = sel.getRangeAt(0);
    var all = document.body ? document.body.querySelectorAll('*') : [];
    for (var i = 0; i < all.length; i++) {
      var e = all[i];
      if (!range.intersectsNode(e)) continue;
      if (e.tagName === 'FONT') e.removeAttribute('face');
      if (e.style && e.style.fontFamily) e.style.fontFamily = '';
    }
    return true;
  }
  // The engine may build the list inside the paragraph it came from; a paragraph cannot hold
  // a list in a saved page (the reader would end the paragraph there), so the list takes the
  // paragraph's place.
  function liftListOutOfParagraph() {
    for (var n = selectionStart(); n && n !== document.body; n = n.parentNode) {
      if (n.nodeType !== 1 || (n.tagName !== 'OL' && n.tagName !== 'UL')) continue;
      var p = n.parentNode;
      if (!p || p.tagName !== 'P') return;
      // Moving a node moves live ranges out of it: keep the caret's places by hand.
      var sel = document.getSelection(), r = sel.rangeCount ? sel.getRangeAt(0) : null;
      var at = r && [r.startContainer, r.startOffset, r.endContainer, r.endOffset];
      p.parentNode.insertBefore(n, p);
      if (!p.textContent.trim() && !p.querySelector('img')) p.parentNode.removeChild(p);
      if (at) {
        var range = document.createRange();
        range.setStart(at[0], at[1]);
        range.setEnd(at[2], at[3]);
        sel.removeAllRanges();
        sel.addRange(range);
      }
      return;
    }
  }
  kv.exec = function (name, value) {
    var ok = false;
    try {
      if (name === 'fontName' && value === '') ok = clearFontName();
      else if (name === 'insertOrderedList' || name === 'insertUnorderedList') {
        // A block format choice, not a toggle: a list stays a list when chosen again.
        var want = name === 'insertOrderedList' ? 'ol' : 'ul';
        ok = kv.blockFormat() === want ? true : document.execCommand(name, false, null);
        liftListOutOfParagraph();
      } else ok = document.execCommand(name, false, value);
    } catch (e) { ok = false; }
    return { ok: ok, state: kv.report('command') };
  };

  kv.selectionForClipboard = function (remove) {
    var sel = document.getSelection();
    if (!sel || sel.rangeCount === 0 || sel.isCollapsed) return null;
    var box = document.createElement('div');
    box.appendChild(sel.getRangeAt(0).cloneContents());
    var out = { text: sel.toString(), html: box.innerHTML };
    if (remove) document.execCommand('delete', false, null);
    kv.report('command');
    return out;
  };

  // The first occurrence of text in the body, letter case ignored, scrolled to the top; the
  // selection stays where it is.
  kv.scrollToText = function (text) {
    if (!document.body || !text) return false;
    var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    var nodes = [], whole = '';
    for (var n = walker.nextNode(); n; n = walker.nextNode()) {
      nodes.push([n, whole.length]);
      whole += n.data;
    }
    var at = whole.toLowerCase().indexOf(text.toLowerCase());
    if (at < 0) return false;
    var range = document.createRange();
    function place(offset, start) {
      for (var i = nodes.length - 1; i >= 0; i--) {
        if (nodes[i][1] <= offset) {
          var local = Math.min(offset - nodes[i][1], nodes[i][0].data.length);
          if (start) range.setStart(nodes[i][0], local); else range.setEnd(nodes[i][0], local);
          return;
        }
      }
    }
    place(at, true);
    place(at + text.length, false);
    var rect = range.getBoundingClientRect();
    window.scrollBy(0, rect.top);
    return true;
  };

  // The page in one string for C++ (PageCapture.h describes it): the engine's own markup of
  // the root element, or one record per node where the markup would not show the tree.
  function field(s) { return s.length + ':' + s; }
  function records(root) {
    var out = [];
    function node(n) {
      var t = n.nodeType;
      if (t === 1) {
        var a = n.attributes, k = a.length, name = n.tagName;
        out.push('E' + field(name) + k + ';');
        for (var i = 0; i < k; i++) out.push(field(a[i].name) + field(a[i].value));
        var c = (name === 'TEMPLATE' && n.content) ? n.content.firstChild : n.firstChild;
        for (; c; c = c.nextSibling) node(c);
        out.push(')');
      } else if (t === 3 || t === 4) {
        out.push('T' + field(n.data));
      } else if (t === 8) {
        out.push('C' + field(n.data));
      }
    }
    node(root);
    return out.join('');
  }
  kv.capture = function (nodeByNode) {
    var d = document, root = d.documentElement, t = d.doctype;
    var out = 'KVP1' + (t ? 'D' + field(t.name) + field(t.publicId) + field(t.systemId) : '-');
    var lists = [[], []], side = 0;
    for (var n = d.firstChild; n; n = n.nextSibling) {
      if (n === root) side = 1;
      else if (n.nodeType === 8) lists[side].push(field(n.data));
    }
    out += lists[0].length + ';' + lists[0].join('') + lists[1].length + ';' + lists[1].join('');
    if (!root) return out;
    // An XML document's markup declares name spaces that are no attributes of the page.
    if (nodeByNode || d instanceof XMLDocument) return out + 'N' + records(root);
    return out + 'H' + root.outerHTML;
  };

  // A capture taken without the window waiting for it goes over in slices: one large answer
  // would be turned into C++ text on the window's thread in one go.
  var held = {}, lastHeld = 0;
  kv.hold = function (nodeByNode) {
    var id = ++lastHeld;
    held[id] = kv.capture(nodeByNode);
    return [id, held[id].length];
  };
  kv.slice = function (id, from, count) {
    var text = held[id];
    if (text === undefined) return null;
    if (from + count >= text.length) delete held[id];
    return text.substr(from, count);
  };

  // Changes to the page, for the recovery copy. The page's timers do not run while its own
  // scripts are off, so a change is reported at once when the last report is a while ago;
  // otherwise it is held back and rides on the next report of the caret, which follows nearly
  // every edit, or goes to C++ when it asks (takeChange) a moment after a report.
  var changePending = false, lastChangeReport = 0;
  function changed() {
    var now = Date.now();
    if (now - lastChangeReport < 250) {
      changePending = true;
      return;
    }
    lastChangeReport = now;
    changePending = false;
    if (kv.bridge) kv.bridge.Report('{"kind":"change"}');
  }
  kv.watch = function () {
    if (kv.observer) return;
    kv.observer = new MutationObserver(changed);
    kv.observer.observe(document, { subtree: true, childList: true, characterData: true,
                                    attributes: true });
  };
  kv.takeChange = function () {
    var pending = changePending;
    changePending = false;
    if (pending) lastChangeReport = Date.now();
    return pending;
  };

  document.addEventListener('selectionchange', function () { kv.report('selection'); });
  document.addEventListener('click', function () { kv.report('click'); }, true);
  new QWebChannel(qt.webChannelTransport, function (channel) {
    kv.bridge = channel.objects.kvBridge;
    kv.report('ready');
  });
})();
)JS";

}  // namespace

QString EditorPageScript() {
  QFile channelLibrary(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
  if (!channelLibrary.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(channelLibrary.readAll()) + QLatin1Char('\n') +
         QString::fromUtf8(kEditorScript);
}

}  // namespace kv
