#include "core/xml_reader.h"
#include "test_main.h"

#include <QtTest>

namespace {

// A compact picture of a tree: elements as name{entries} ("?" marks a
// declaration), attributes as @name=value, texts in double quotes, verbatim
// sections as V[content]; entries separated by commas.
QByteArray Dump(const XmlNode& node)
{
    QByteArrayList parts;
    for (const XmlEntry& entry : node.entries) {
        switch (entry.kind) {
        case XmlEntry::Attribute:
            parts << "@" + entry.name.toByteArray() + (entry.value.isNull() ? QByteArray() : "=" + entry.value.toByteArray());
            break;
        case XmlEntry::Element: {
            const XmlNode& child = *entry.element;
            const QByteArray inner = Dump(child);
            parts << (child.isDeclaration ? "?" : "") + child.name.toByteArray()
                         + (inner.isEmpty() ? QByteArray() : "{" + inner + "}");
            break;
        }
        case XmlEntry::Text:
            parts << '"' + entry.value.toByteArray() + '"';
            break;
        case XmlEntry::Verbatim:
            parts << "V[" + entry.value.toByteArray() + "]";
            break;
        }
    }
    return parts.join(',');
}

std::unique_ptr<XmlDocument> ParseOk(const QByteArray& text)
{
    XmlError error;
    auto root = ParseXml(text.constData(), &error);
    if (!root)
        qWarning("parse failed with code %d at %d:%d", error.code, error.line, error.column);
    return root;
}

// Elements alternating between e and f, so that no start tag closes its parent.
QByteArray NestedElements(int depth)
{
    QByteArray text;
    for (int i = 0; i < depth; ++i)
        text += i % 2 ? "<f>" : "<e>";
    return text;
}

} // namespace

class TestXmlReader : public QObject {
    Q_OBJECT

private slots:
    void buildsTree_data();
    void buildsTree();
    void reportsErrors_data();
    void reportsErrors();
    void recordsPositions();
    void endPositionOfClosedElements();
    void nestingIsLimited();
    void findElement();
    void declarationWithAttributesHidesContent();
    void elementAttribute_data();
    void elementAttribute();
    void nextEntryWalksInOrder();
    void namesAndTextsAreIndependentCopies();
};

void TestXmlReader::buildsTree_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("tree");

    QTest::newRow("empty child") << QByteArray("<a><b/></a>") << QByteArray("a{b}");
    QTest::newRow("start tag closes same-named parent")
        << QByteArray("<p>one<p>two</p>") << QByteArray(R"(p{"one"},p{"two"})");
    QTest::newRow("start tag closes parent by prefix")
        << QByteArray("<a>x<ab>y</ab>") << QByteArray(R"(a{"x"},ab{"y"})");
    QTest::newRow("text open at the end is dropped") << QByteArray("<p>one") << QByteArray("p");
    QTest::newRow("cdata") << QByteArray("<x>A<![CDATA[<y>]]>B</x>")
                           << QByteArray(R"(x{"A",V[<y>],"B"})");
    QTest::newRow("comment then empty element") << QByteArray("<!-- c --><x/>")
                                                << QByteArray("V[ c ],x");
    QTest::newRow("verbatim opening ignores case")
        << QByteArray("<pre>a<b></PRE><!doctype html><c/>") << QByteArray("V[a<b>],V[ html],c");
    QTest::newRow("quoted values keep their quotes")
        << QByteArray(R"(<a s='15' d="15" bare=15 flag/>)")
        << QByteArray(R"(a{@s='15',@d="15",@bare=15,@flag})");
    QTest::newRow("slash inside a value") << QByteArray("<a href=x/y>") << QByteArray("a{@href=x/y}");
    QTest::newRow("text keeps inner space, loses trailing")
        << QByteArray("<a>  one \t two \r\n</a>") << QByteArray("a{\"one \t two\"}");
    QTest::newRow("quoted text swallows tags")
        << QByteArray(R"(<a>x = "y<z>"</a>)") << QByteArray(R"(a{"x = "y<z>""})");
    QTest::newRow("unmatched end tag closes inner element")
        << QByteArray("<a><b>x</a><c/>") << QByteArray(R"(a{b{"x"}},c)");
    QTest::newRow("end tag matches by prefix") << QByteArray("<a>x</ab><c/>")
                                               << QByteArray(R"(a{"x"},c)");
    QTest::newRow("declaration drops trailing question mark")
        << QByteArray(R"(<?xml version="1.0" standalone ?><c/>)")
        << QByteArray(R"(?xml{@version="1.0",@standalone,c})");
    QTest::newRow("declaration value loses its question mark")
        << QByteArray("<?pi a=b?>") << QByteArray("?pi{@a=b}");
    QTest::newRow("text ends after equals sign") << QByteArray("<a b=") << QByteArray("a");
    QTest::newRow("high bytes are copied") << QByteArray("<a>caf\xe9</a>") << QByteArray("a{\"caf\xe9\"}");
    QTest::newRow("empty text") << QByteArray("") << QByteArray("");
}

void TestXmlReader::buildsTree()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, tree);
    const auto root = ParseOk(text);
    QVERIFY(root);
    QVERIFY(root->name.isNull());
    QCOMPARE(Dump(*root), tree);
}

void TestXmlReader::reportsErrors_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    QTest::newRow("equals without value") << QByteArray("<a b=>") << 7 << 1 << 6;
    QTest::newRow("tag end in content") << QByteArray("<a>x > y</a>") << 7 << 1 << 6;
    QTest::newRow("text ends inside a tag") << QByteArray("<a b") << 7 << 1 << 5;
    QTest::newRow("open quote in a tag") << QByteArray("<a b=\"15>") << 5 << 1 << 6;
    QTest::newRow("open quote in content") << QByteArray("<a>it's\n'tis</a>") << 5 << 2 << 1;
    QTest::newRow("end tag at the root") << QByteArray("</x>") << 6 << 1 << 1;
    QTest::newRow("end tag closing nothing")
        << QByteArray("<a>\n  <b>\r\n</c>") << 6 << 3 << 1;
    QTest::newRow("verbatim closing is exact") << QByteArray("<a>\n <pre>x</pre>") << 6 << 2 << 2;
    QTest::newRow("unclosed comment") << QByteArray("<!-- x") << 6 << 1 << 1;
    QTest::newRow("empty angle brackets") << QByteArray("<a><>") << 3 << 1 << 5;
    QTest::newRow("end tag without name") << QByteArray("<a></>") << 4 << 1 << 6;
    QTest::newRow("end tag with extra word") << QByteArray("<a></a b>") << 4 << 1 << 8;
    QTest::newRow("third line after carriage returns") << QByteArray("<a>\r\n<b>\r\n</>") << 4 << 3 << 3;
}

void TestXmlReader::reportsErrors()
{
    QFETCH(QByteArray, text);
    QFETCH(int, code);
    QFETCH(int, line);
    QFETCH(int, column);
    XmlError error;
    QVERIFY(!ParseXml(text.constData(), &error));
    QCOMPARE(error.code, code);
    QCOMPARE(error.line, line);
    QCOMPARE(error.column, column);
}

void TestXmlReader::recordsPositions()
{
    //                        0         1         2         3
    //                        0123456789012345678901234567890123456
    const QByteArray text = R"(<a x="1" y>hi <!--c--><b/>t</a>)";
    const auto root = ParseOk(text);
    QVERIFY(root);
    const XmlEntry& a = root->entries.at(0);
    QCOMPARE(a.position, 1);
    const XmlNode& node = *a.element;
    QCOMPARE(node.parent, static_cast<XmlNode*>(root.get()));
    QList<qint32> positions;
    for (const XmlEntry& entry : node.entries)
        positions << entry.position;
    QCOMPARE(positions, (QList<qint32>{3, 9, 11, 14, 23, 26}));
    QCOMPARE(node.entries.at(3).opening, "<!--");
    QCOMPARE(node.entries.at(3).closing, "-->");
    QCOMPARE(node.endPosition, qint32(text.size()));
}

void TestXmlReader::endPositionOfClosedElements()
{
    const QByteArray text = "<r><a><b/></a><p>one<p>two</p><c><d>x</c>\n<e></E></r>";
    const auto root = ParseOk(text);
    QVERIFY(root);
    const XmlNode* r = FindElement(root.get(), "r", true);
    QVERIFY(r);
    QCOMPARE(r->endPosition, qint32(text.size()));
    const QList<QByteArray> names{"a", "b", "p", "c", "d", "e"};
    QList<qint32> ends;
    for (const QByteArray& name : names)
        ends << FindElement(r, name, true)->endPosition;
    const qint32 afterA = qint32(text.indexOf("</a>") + 4);
    const qint32 afterP = qint32(text.indexOf("</p>") + 4);
    const qint32 afterC = qint32(text.indexOf("</c>") + 4);
    const qint32 afterE = qint32(text.indexOf("</E>") + 4);
    // b is empty, the first p is closed by its sibling, d by its parent's end tag.
    QCOMPARE(ends, (QList<qint32>{afterA, 0, 0, afterC, 0, afterE}));
    QCOMPARE(r->entries.at(2).element->endPosition, afterP);
}

void TestXmlReader::nestingIsLimited()
{
    QVERIFY(ParseOk(NestedElements(XmlError::kMaxDepth)));

    XmlError error;
    const QByteArray tooDeep = NestedElements(XmlError::kMaxDepth + 1);
    QVERIFY(!ParseXml(tooDeep.constData(), &error));
    QCOMPARE(error.code, int(XmlError::TooDeep));
    QCOMPARE(error.column, 3 * XmlError::kMaxDepth + 2);

    const QByteArray huge = NestedElements(200000);
    QVERIFY(!ParseXml(huge.constData(), &error));
    QCOMPARE(error.code, int(XmlError::TooDeep));
}

void TestXmlReader::findElement()
{
    const auto root = ParseOk("<doc><Clue n=1><in/></Clue><list><item>a</item></list><item/></doc>");
    QVERIFY(root);
    const XmlNode* doc = FindElement(root.get(), "doc", true);
    QVERIFY(doc);
    QCOMPARE(FindElement(doc, "doc", true), doc);
    QVERIFY(!FindElement(root.get(), "clue", true));
    QCOMPARE(FindElement(root.get(), "clue", false)->name, QByteArrayView("Clue"));
    // Depth first: the item inside list comes before the later sibling.
    QCOMPARE(FindElement(root.get(), "item", true)->entries.size(), size_t(1));
    // Clue has an attribute, so its children are never searched.
    QVERIFY(!FindElement(root.get(), "in", true));
    QVERIFY(!FindElement(root.get(), "", true));
    QVERIFY(!FindElement(nullptr, "doc", true));
}

void TestXmlReader::declarationWithAttributesHidesContent()
{
    const auto root = ParseOk(R"(<?xml version="1.0"?><crossword><title>T</title></crossword>)");
    QVERIFY(root);
    QCOMPARE(Dump(*root), QByteArray(R"(?xml{@version="1.0",crossword{title{"T"}}})"));
    QVERIFY(!FindElement(root.get(), "crossword", true));

    const auto plain = ParseOk("<?xml?><crossword/>");
    QVERIFY(plain);
    QVERIFY(FindElement(plain.get(), "crossword", true));
}

void TestXmlReader::elementAttribute_data()
{
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("position");

    QTest::newRow("double quotes removed") << QByteArray("e") << 0 << 0 << QByteArray("a")
                                           << QByteArray("15") << 6;
    QTest::newRow("single quotes kept") << QByteArray("e") << 1 << 0 << QByteArray("b")
                                        << QByteArray("'x'") << 13;
    QTest::newRow("no value") << QByteArray("e") << 2 << 0 << QByteArray("c") << QByteArray() << 19;
    QTest::newRow("cut at inner quote") << QByteArray("e") << 3 << 0 << QByteArray("d")
                                        << QByteArray("7") << 21;
    QTest::newRow("too few attributes") << QByteArray("e") << 4 << 3 << QByteArray() << QByteArray()
                                        << -1;
    QTest::newRow("negative number") << QByteArray("e") << -1 << 3 << QByteArray() << QByteArray()
                                     << -1;
    QTest::newRow("no such element") << QByteArray("f") << 0 << 1 << QByteArray() << QByteArray()
                                     << -1;
}

void TestXmlReader::elementAttribute()
{
    QFETCH(QByteArray, element);
    QFETCH(int, number);
    QFETCH(int, result);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, value);
    QFETCH(int, position);
    //                         0         1         2
    //                         012345678901234567890123456789
    const auto root = ParseOk(R"(<r><e a="15" b='x' c d=7"x"><g/></e></r>)");
    QVERIFY(root);
    qint32 foundPosition = -1;
    QByteArray foundValue;
    QByteArray foundName;
    QCOMPARE(GetElementAttribute(root.get(), element, number, &foundPosition, &foundValue, &foundName),
             result);
    QCOMPARE(foundName, name);
    QCOMPARE(foundValue, value);
    QCOMPARE(foundPosition, position);
    QCOMPARE(GetElementAttribute(root.get(), element, number, nullptr, nullptr, nullptr), result);
}

void TestXmlReader::nextEntryWalksInOrder()
{
    auto root = ParseOk("<a k=v>t<b/></a>");
    QVERIFY(root);
    const XmlNode* a = root->entries.at(0).element;
    QList<int> kinds;
    int index = 0;
    while (const XmlEntry* entry = NextEntry(a, &index))
        kinds << entry->kind;
    QCOMPARE(kinds, (QList<int>{XmlEntry::Attribute, XmlEntry::Text, XmlEntry::Element}));
    QCOMPARE(index, 3);
    index = -1;
    QVERIFY(!NextEntry(a, &index));
    FreeXml(root);
    QVERIFY(!root);
}

// Thousands of names and values, long and short, each end in a NUL inside the
// tree; copied out, they stay whole after the tree is gone, and changing one
// of them changes nothing else.
void TestXmlReader::namesAndTextsAreIndependentCopies()
{
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += "<e" + QByteArray::number(i) + " v=\"" + QByteArray(i % 700, 'a' + i % 26) + "\">t" + QByteArray::number(i) + "</e"
            + QByteArray::number(i) + ">";
    QList<QByteArray> names;
    QList<QByteArray> values;
    QList<QByteArray> texts;
    {
        const auto root = ParseOk(text);
        QVERIFY(root);
        for (const XmlEntry& entry : root->entries) {
            const XmlEntryList& inner = entry.element->entries;
            for (const QByteArrayView bytes : {entry.element->name, inner.at(0).value, inner.at(1).value})
                QCOMPARE(qstrlen(bytes.data()), size_t(bytes.size()));
            names << entry.element->name.toByteArray();
            values << inner.at(0).value.toByteArray();
            texts << inner.at(1).value.toByteArray();
        }
    }
    QCOMPARE(names.size(), 3000);
    names[0][0] = 'X';
    values[0].append('!');
    for (int i = 0; i < 3000; ++i) {
        QCOMPARE(names[i], (i == 0 ? "X" : "e") + QByteArray::number(i));
        QCOMPARE(values[i], '"' + QByteArray(i % 700, 'a' + i % 26) + '"' + (i == 0 ? "!" : ""));
        QCOMPARE(texts[i], "t" + QByteArray::number(i));
    }
}

GRIDMOOR_TEST_GUILESS_MAIN(TestXmlReader)
#include "tst_xml_reader.moc"
