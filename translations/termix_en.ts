<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>AtomicFile</name>
    <message>
        <source>не удалось записать %1</source>
        <translation>could not write %1</translation>
    </message>
    <message>
        <source>не удалось заменить %1</source>
        <translation>could not replace %1</translation>
    </message>
    <message>
        <source>файл %1 не является обычным файлом</source>
        <translation>the file %1 is not a regular file</translation>
    </message>
    <message>
        <source>файл %1 принадлежит другому пользователю</source>
        <translation>the file %1 belongs to another user</translation>
    </message>
    <message>
        <source>файл %1 доступен только для чтения</source>
        <translation>the file %1 is read-only</translation>
    </message>
    <message>
        <source>не удалось сохранить владельца файла %1</source>
        <translation>could not keep the owner of the file %1</translation>
    </message>
    <message>
        <source>не удалось установить права файла %1</source>
        <translation>could not set the permissions of the file %1</translation>
    </message>
    <message>
        <source>не удалось сбросить на диск %1</source>
        <translation>could not flush %1 to the disk</translation>
    </message>
    <message>
        <source>Недостаточно места на диске</source>
        <translation>Not enough space on the disk</translation>
    </message>
    <message>
        <source>Превышена дисковая квота</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>Файл слишком велик</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>Нет прав доступа</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Диск доступен только для чтения</source>
        <translation>The disk is read-only</translation>
    </message>
    <message>
        <source>Папка не существует</source>
        <translation>The folder does not exist</translation>
    </message>
    <message>
        <source>Путь к папке проходит через файл</source>
        <translation>The folder&apos;s path passes through a file</translation>
    </message>
    <message>
        <source>На месте файла находится папка</source>
        <translation>A folder stands in the file&apos;s place</translation>
    </message>
    <message>
        <source>Слишком длинное имя файла</source>
        <translation>The file name is too long</translation>
    </message>
    <message>
        <source>Символические ссылки образуют круг</source>
        <translation>The symbolic links form a loop</translation>
    </message>
    <message>
        <source>Ошибка ввода-вывода</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Папка только для чтения</source>
        <translation>The folder is read-only</translation>
    </message>
    <message>
        <source>папка %1 не создана</source>
        <translation>the folder %1 could not be made</translation>
    </message>
    <message>
        <source>папка %1 недоступна</source>
        <translation>the folder %1 cannot be used</translation>
    </message>
    <message>
        <source>папка %1 недоступна для записи</source>
        <translation>the folder %1 cannot be written to</translation>
    </message>
    <message>
        <source>нет имени файла</source>
        <translation>no file name</translation>
    </message>
    <message>
        <source>не удалось найти файл ссылки %1</source>
        <translation>could not find the file the link %1 points to</translation>
    </message>
    <message>
        <source>файл %1 записан, но папку не удалось сбросить на диск</source>
        <translation>the file %1 was written, but its folder could not be flushed to the disk</translation>
    </message>
    <message>
        <source>не удалось прочитать %1</source>
        <translation>could not read %1</translation>
    </message>
    <message>
        <source>на месте файла %1 находится папка</source>
        <translation>a folder stands in the place of the file %1</translation>
    </message>
    <message>
        <source>файл %1 больше %2 МБ и не читается</source>
        <translation>the file %1 is larger than %2 MB and is not read</translation>
    </message>
</context>
<context>
    <name>ExportHelpers</name>
    <message>
        <source>PDF не составлен</source>
        <translation>The PDF could not be made</translation>
    </message>
</context>
<context>
    <name>FileLock</name>
    <message>
        <source>не удалось открыть папку %1</source>
        <translation>could not open the folder %1</translation>
    </message>
    <message>
        <source>папка %1 занята другой копией программы</source>
        <translation>the folder %1 is kept busy by another copy of the program</translation>
    </message>
</context>
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
    <name>TFormulaReading</name>
    <message>
        <source>показатель %1 усечён до %2</source>
        <translation>exponent %1 cut down to %2</translation>
    </message>
    <message>
        <source>степень степени читается слева направо: %1</source>
        <translation>a power of a power is read from the left: %1</translation>
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
<context>
    <name>TPolFunc</name>
    <message>
        <source>Полином не введён</source>
        <translation>No polynomial entered</translation>
    </message>
    <message>
        <source>Зависимость установлена</source>
        <translation>Dependence set</translation>
    </message>
    <message>
        <source>Выражение не преобразовано в функцию!</source>
        <translation>The expression is not turned into a function!</translation>
    </message>
    <message>
        <source>Функция определена не во всей области!</source>
        <translation>The function is not defined in the whole region!</translation>
    </message>
    <message>
        <source>Переменная %1 не может быть выражена из полинома</source>
        <translation>The variable %1 cannot be expressed from the polynomial</translation>
    </message>
</context>
<context>
    <name>TPolReading</name>
    <message>
        <source>«%1» прочитано как %2: «%3» без степени задаёт степень 1, а не умножает</source>
        <translation>“%1” read as %2: “%3” without a power sets the power to 1, it does not multiply</translation>
    </message>
    <message>
        <source>«%1» прочитано как %2: пустая степень равна 1</source>
        <translation>“%1” read as %2: an empty power is 1</translation>
    </message>
    <message>
        <source>коэффициент %1 хранится как %2</source>
        <translation>coefficient %1 is kept as %2</translation>
    </message>
    <message>
        <source>%1: голова кольца, не моном</source>
        <translation>%1: head of the ring, not a monomial</translation>
    </message>
    <message>
        <source>%1: свободный член, все степени 0</source>
        <translation>%1: constant term, every power 0</translation>
    </message>
    <message>
        <source>%1 = %2</source>
        <translation>%1 = %2</translation>
    </message>
    <message>
        <source>«%1» прочитано как %2: «%3» разделяет мономы</source>
        <translation>“%1” read as %2: “%3” separates monomials</translation>
    </message>
</context>
<context>
    <name>TRecordName</name>
    <message>
        <source>Название полинома не введено!</source>
        <translation>No polynomial name entered!</translation>
    </message>
    <message>
        <source>Название полинома содержит недопустимые символы!</source>
        <translation>The polynomial name contains characters that are not allowed!</translation>
    </message>
    <message>
        <source>Полином с таким названием уже существует! [Pol№%1]</source>
        <translation>A polynomial with this name already exists! [Pol#%1]</translation>
    </message>
</context>
<context>
    <name>TableFile</name>
    <message>
        <source>Полином %1 удалён или переименован другой копией программы</source>
        <translation>Polynomial %1 was deleted or renamed by another copy of the program</translation>
    </message>
    <message>
        <source>Полиномы %1 удалены или переименованы другой копией программы</source>
        <translation>Polynomials %1 were deleted or renamed by another copy of the program</translation>
    </message>
    <message>
        <source>Полином %1 изменён и другой копией программы: сохранён вариант этой копии</source>
        <translation>Polynomial %1 was changed by another copy of the program too: this copy&apos;s version is saved</translation>
    </message>
    <message>
        <source>Полиномы %1 изменены и другой копией программы: сохранены варианты этой копии</source>
        <translation>Polynomials %1 were changed by another copy of the program too: this copy&apos;s versions are saved</translation>
    </message>
</context>
<context>
    <name>TableKinds</name>
    <message>
        <source>Просмотровая таблица</source>
        <translation>Scan table</translation>
    </message>
    <message>
        <source>Просмотровая</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>в просмотровой таблице</source>
        <translation>in the scan table</translation>
    </message>
    <message>
        <source>Просмотровая таблица;</source>
        <translation>Scan table;</translation>
    </message>
    <message>
        <source>Просмотровая табл.:</source>
        <translation>Scan table:</translation>
    </message>
    <message>
        <source>Обобщённая эффективность просмотровой таблицы</source>
        <translation>Overall efficiency of the scan table</translation>
    </message>
    <message>
        <source>Упорядоченная таблица</source>
        <translation>Sorted table</translation>
    </message>
    <message>
        <source>Упорядоченная</source>
        <translation>Sorted</translation>
    </message>
    <message>
        <source>в упорядоченной таблице</source>
        <translation>in the sorted table</translation>
    </message>
    <message>
        <source>Упорядоченная таблица;</source>
        <translation>Sorted table;</translation>
    </message>
    <message>
        <source>Упорядоченная табл.:</source>
        <translation>Sorted table:</translation>
    </message>
    <message>
        <source>Обобщённая эффективность упорядоченной таблицы</source>
        <translation>Overall efficiency of the sorted table</translation>
    </message>
    <message>
        <source>Таблица с вычисляемыми адресами</source>
        <translation>Table with computed addresses</translation>
    </message>
    <message>
        <source>С выч. адресами</source>
        <translation>Computed addresses</translation>
    </message>
    <message>
        <source>в таблице с вычисляемыми адресами</source>
        <translation>in the table with computed addresses</translation>
    </message>
    <message>
        <source>Таблица с выч. адресами</source>
        <translation>Table with computed addresses</translation>
    </message>
    <message>
        <source>Табл. с выч. адресами:</source>
        <translation>Computed-address table:</translation>
    </message>
    <message>
        <source>Обобщённая эффективность таблицы с хэшированием</source>
        <translation>Overall efficiency of the hash table</translation>
    </message>
</context>
</TS>
