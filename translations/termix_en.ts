<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>TForm10</name>
    <message>
        <source>О программе</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>Эмблема TERMIX</source>
        <translation>TERMIX emblem</translation>
    </message>
    <message>
        <source>Анимированная эмблема TERMIX</source>
        <translation>Animated TERMIX emblem</translation>
    </message>
    <message>
        <source>Работа с полиномами от нескольких переменных</source>
        <translation>Working with polynomials in several variables</translation>
    </message>
    <message>
        <source>• ввод, хранение и обработка полиномов от x, y, z;&lt;br&gt;• три вида таблиц: просмотровая, упорядоченная, хеш;&lt;br&gt;• аналитическое вычисление выражений;&lt;br&gt;• демонстрация структуры полинома;&lt;br&gt;• поверхность полинома как неявной функции;&lt;br&gt;• тестирование эффективности таблиц.</source>
        <translation>• entering, storing and processing polynomials in x, y, z;&lt;br&gt;• three kinds of table: scan, sorted, hash;&lt;br&gt;• analytic evaluation of expressions;&lt;br&gt;• demonstration of a polynomial&apos;s structure;&lt;br&gt;• a polynomial&apos;s surface as an implicit function;&lt;br&gt;• testing the efficiency of the tables.</translation>
    </message>
    <message>
        <source>Версия 1.0 · учебная программа</source>
        <translation>Version 1.0 · teaching program</translation>
    </message>
</context>
<context>
    <name>TForm11</name>
    <message>
        <source>Заставка TERMIX</source>
        <translation>TERMIX splash</translation>
    </message>
</context>
<context>
    <name>THelpWindow</name>
    <message>
        <source>TERMIX: Справка</source>
        <translation>TERMIX: Help</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Назад</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Вперёд</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
</context>
</TS>
