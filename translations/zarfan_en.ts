<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ar">
<context>
    <name>DistributionWindow</name>
    <message>
        <source>توزيع النتائج</source>
        <translation>Distribution of results</translation>
    </message>
    <message>
        <source>حسب الأجزاء</source>
        <translation>By juz</translation>
    </message>
    <message>
        <source>السورة</source>
        <translation>Sura</translation>
    </message>
    <message>
        <source>الآيات</source>
        <translation>Ayas</translation>
    </message>
    <message>
        <source>المرات</source>
        <translation>Occurrences</translation>
    </message>
    <message>
        <source>النسبة</source>
        <translation>Share</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source> زرفان 3.0</source>
        <translation> Zarfan 3.0</translation>
    </message>
    <message>
        <source>نص البحث :</source>
        <translation>Search text:</translation>
    </message>
    <message>
        <source>نص البحث</source>
        <translation>Search text</translation>
    </message>
    <message>
        <source>بدون تشكيل</source>
        <translation>Without diacritics</translation>
    </message>
    <message>
        <source>القيام بعملية بحث</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>قم بتحديد اسم سورة من قائمة النتائج و اضغط على هذا الزر للقيام ببحث على هذه السورة</source>
        <translation>Select a sura&apos;s line in the results and press this button to search that whole sura</translation>
    </message>
    <message>
        <source>نسخ النص إلى الذاكرة</source>
        <translation>Copy the text to the clipboard</translation>
    </message>
    <message>
        <source>خصائص البحث</source>
        <translation>Search options</translation>
    </message>
    <message>
        <source>نتائج البحث :</source>
        <translation>Search results:</translation>
    </message>
    <message>
        <source>الآية :</source>
        <translation>Aya:</translation>
    </message>
    <message>
        <source>نتائج البحث</source>
        <translation>Search results</translation>
    </message>
    <message>
        <source>الآية</source>
        <translation>Aya</translation>
    </message>
    <message>
        <source>الآيات المختارة</source>
        <translation>Chosen ayas</translation>
    </message>
    <message>
        <source>رقم الصفحة :</source>
        <translation>Page:</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>الجزء :</source>
        <translation>Juz:</translation>
    </message>
    <message>
        <source>التصنيف :</source>
        <translation>Revelation:</translation>
    </message>
    <message>
        <source>---</source>
        <translation>---</translation>
    </message>
    <message>
        <source>عدد آيات السورة :</source>
        <translation>Ayas in the sura:</translation>
    </message>
    <message>
        <source>الحزب والربع</source>
        <translation>Hizb and quarter</translation>
    </message>
    <message>
        <source>عدد النتائج :</source>
        <translation>Results:</translation>
    </message>
    <message>
        <source>زرفان</source>
        <translation>Zarfan</translation>
    </message>
    <message>
        <source>التفسير</source>
        <translation>Tafsir</translation>
    </message>
    <message>
        <source>تفسير معاني القرآن</source>
        <translation>Tafsir of the Quran&apos;s meanings</translation>
    </message>
    <message>
        <source>تكوين النص</source>
        <translation>Compose text</translation>
    </message>
    <message>
        <source>مساعدة</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>الاختصارات</source>
        <translation>Shortcuts</translation>
    </message>
    <message>
        <source>أدوات البحث</source>
        <translation>Search tools</translation>
    </message>
    <message>
        <source>القراءة</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>المظهر</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>التفسير الميسر</source>
        <translation>Al-Muyassar tafsir</translation>
    </message>
    <message>
        <source>تفسير الجلالين</source>
        <translation>Al-Jalalayn tafsir</translation>
    </message>
    <message>
        <source>إخفاء</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>البحوث الكاملة</source>
        <translation>Full searches</translation>
    </message>
    <message>
        <source>تكوين النص المختار</source>
        <translation>Compose the chosen ayas</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>تكوين النص لسورة كاملة</source>
        <translation>Compose a whole sura</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Ctrl+A</translation>
    </message>
    <message>
        <source>دليل مواضيع القرآن الكريم</source>
        <translation>Guide to the Quran&apos;s topics</translation>
    </message>
    <message>
        <source>عن البرنامج</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>تحديث</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>نسخ النص</source>
        <translation>Copy text</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>توزيع النتائج</source>
        <translation>Distribution of results</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>خطة الختمة</source>
        <translation>Khatma plan</translation>
    </message>
    <message>
        <source>النتائج مع النص</source>
        <translation>Results with text</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation>Ctrl+L</translation>
    </message>
    <message>
        <source>بحث أثناء الكتابة</source>
        <translation>Search as you type</translation>
    </message>
    <message>
        <source>مسح سجل البحث</source>
        <translation>Clear search history</translation>
    </message>
    <message>
        <source>tools</source>
        <translation>tools</translation>
    </message>
    <message>
        <source>Ctrl+T</source>
        <translation>Ctrl+T</translation>
    </message>
    <message>
        <source>نافذة القراءة</source>
        <translation>Reading window</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Ctrl+R</translation>
    </message>
    <message>
        <source>متابعة القراءة</source>
        <translation>Continue reading</translation>
    </message>
    <message>
        <source>Ctrl+Shift+R</source>
        <translation>Ctrl+Shift+R</translation>
    </message>
    <message>
        <source>تكبير الخط</source>
        <translation>Larger text</translation>
    </message>
    <message>
        <source>Ctrl+=</source>
        <translation>Ctrl+=</translation>
    </message>
    <message>
        <source>تصغير الخط</source>
        <translation>Smaller text</translation>
    </message>
    <message>
        <source>Ctrl+-</source>
        <translation>Ctrl+-</translation>
    </message>
    <message>
        <source>الحجم الأصلي</source>
        <translation>Original size</translation>
    </message>
    <message>
        <source>Ctrl+0</source>
        <translation>Ctrl+0</translation>
    </message>
    <message>
        <source>فاتح</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>ورقي</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>داكن</source>
        <translation>Dark</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>عن برنامج زرفان</source>
        <translation>About Zarfan</translation>
    </message>
    <message>
        <source>برنامج زرفان - في القرآن الكريم</source>
        <translation>Zarfan - on the Holy Quran</translation>
    </message>
    <message>
        <source>الإصدار 3.0</source>
        <translation>Version 3.0</translation>
    </message>
    <message>
        <source>برمجة :</source>
        <translation>Programming:</translation>
    </message>
    <message>
        <source> للاستعلام و التواصل و إرسال المقترحات</source>
        <translation> For questions, contact and suggestions</translation>
    </message>
    <message>
        <source>عنوان المراسلة</source>
        <translation>Contact address</translation>
    </message>
    <message>
        <source>صفحة الدعم مع آخر الإصدارت و المعلومات</source>
        <translation>Support page with the latest releases and news</translation>
    </message>
    <message>
        <source>موقع البرنامج</source>
        <translation>Program website</translation>
    </message>
    <message>
        <source>تفضلوا لدخول موقع البرنامج</source>
        <translation>Visit the program&apos;s website</translation>
    </message>
    <message>
        <source>موقع مصادر البيانات</source>
        <translation>Data sources&apos; website</translation>
    </message>
    <message>
        <source>زرفان برنامج حر: لك أن تعيد توزيعه وتعدله وفق رخصة جنو العمومية العامة، الإصدار 3 أو أي إصدار لاحق</source>
        <translation>Zarfan is free software: you may redistribute and modify it under the GNU General Public License, version 3 or any later version</translation>
    </message>
    <message>
        <source>الجذور وأصول الكلمات: Quranic Arabic Corpus - http://corpus.quran.com</source>
        <translation>Roots and word stems: Quranic Arabic Corpus - http://corpus.quran.com</translation>
    </message>
    <message>
        <source>إغلاق</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ملاحظات مهمة</source>
        <translation>Important notes</translation>
    </message>
    <message>
        <source>أي خدمة أو مقترح لا تتردد , راسلني فورا</source>
        <translation>For any help or suggestion, do not hesitate to write to me</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>ملاحظات</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>إغلاق</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>التراخيص وحقوق البيانات</source>
        <translation>Licences and data rights</translation>
    </message>
</context>
<context>
    <name>Form4</name>
    <message>
        <source>آخر التحديثات</source>
        <translation>Latest updates</translation>
    </message>
    <message>
        <source>نص التحديث</source>
        <translation>Update text</translation>
    </message>
    <message>
        <source>موافق</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ملاحظات</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>وصلة تهمك</source>
        <translation>A link for you</translation>
    </message>
</context>
<context>
    <name>Form5</name>
    <message>
        <source>إنشاء النص</source>
        <translation>Compose text</translation>
    </message>
    <message>
        <source>النص المكون</source>
        <translation>Composed text</translation>
    </message>
    <message>
        <source>حفظ</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>طباعة</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>نسخ</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>مع الترجمة</source>
        <translation>With translation</translation>
    </message>
</context>
<context>
    <name>Form6</name>
    <message>
        <source>خصائص البحث</source>
        <translation>Search options</translation>
    </message>
    <message>
        <source>   خيارات البحث   </source>
        <translation>   Search options   </translation>
    </message>
    <message>
        <source>بحث شامل</source>
        <translation>Full search</translation>
    </message>
    <message>
        <source>كلمة منفردة</source>
        <translation>Whole word</translation>
    </message>
    <message>
        <source>الجذر</source>
        <translation>Root</translation>
    </message>
    <message>
        <source>أصل الكلمة</source>
        <translation>Stem</translation>
    </message>
    <message>
        <source>بحث حرفي</source>
        <translation>Exact letters</translation>
    </message>
    <message>
        <source>يطابق الهمزات والألف المقصورة والتاء المربوطة كما كتبت</source>
        <translation>Matches hamzas, alif maqsura and ta marbuta as written</translation>
    </message>
    <message>
        <source>البحث في</source>
        <translation>Search in</translation>
    </message>
    <message>
        <source>نص القرآن</source>
        <translation>Quran text</translation>
    </message>
    <message>
        <source>تفسير الجلالين</source>
        <translation>Al-Jalalayn tafsir</translation>
    </message>
    <message>
        <source>التفسير الميسر</source>
        <translation>Al-Muyassar tafsir</translation>
    </message>
    <message>
        <source>خواطري</source>
        <translation>My notes</translation>
    </message>
    <message>
        <source>ترتيب النتائج</source>
        <translation>Order of results</translation>
    </message>
    <message>
        <source>ترتيب المصحف</source>
        <translation>Mushaf order</translation>
    </message>
    <message>
        <source>الأقرب صلة</source>
        <translation>Most relevant</translation>
    </message>
    <message>
        <source>كامل القرآن الكريم</source>
        <translation>The whole Quran</translation>
    </message>
    <message>
        <source>البحث في سورة واحدة</source>
        <translation>Search one sura</translation>
    </message>
    <message>
        <source>اختر إسم السورة</source>
        <translation>Choose the sura&apos;s name</translation>
    </message>
    <message>
        <source>البحث من سورة الى أخرى</source>
        <translation>Search from one sura to another</translation>
    </message>
    <message>
        <source>إلى</source>
        <translation>To</translation>
    </message>
    <message>
        <source>البحث في جزء واحد</source>
        <translation>Search one juz</translation>
    </message>
    <message>
        <source>اختر الجزء</source>
        <translation>Choose the juz</translation>
    </message>
    <message>
        <source>البحث من جزء إلى آخر</source>
        <translation>Search from one juz to another</translation>
    </message>
    <message>
        <source>البحث في حزب واحد</source>
        <translation>Search one hizb</translation>
    </message>
    <message>
        <source>اختر الحزب</source>
        <translation>Choose the hizb</translation>
    </message>
    <message>
        <source>البحث في صفحات</source>
        <translation>Search pages</translation>
    </message>
    <message>
        <source>من</source>
        <translation>From</translation>
    </message>
    <message>
        <source>من صفحة</source>
        <translation>From page</translation>
    </message>
    <message>
        <source>إلى صفحة</source>
        <translation>To page</translation>
    </message>
    <message>
        <source>لتغير خط عرض الآيات</source>
        <translation>Change the font of the ayas</translation>
    </message>
    <message>
        <source>إغلاق</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>الترجمة</source>
        <translation>Translation</translation>
    </message>
</context>
<context>
    <name>Form7</name>
    <message>
        <source>بحث عن سورة باسمها أو برقمها , بحث عن جزء كامل</source>
        <translation>Find a sura by its name or number, or a whole juz</translation>
    </message>
    <message>
        <source>اختر إسم السورة</source>
        <translation>Choose the sura&apos;s name</translation>
    </message>
    <message>
        <source>اختر رقم السورة</source>
        <translation>Choose the sura&apos;s number</translation>
    </message>
    <message>
        <source>اختر رقم الجزء</source>
        <translation>Choose the juz&apos;s number</translation>
    </message>
</context>
<context>
    <name>Form8</name>
    <message>
        <source>دليل مواضيع القرآن الكريم</source>
        <translation>Guide to the Quran&apos;s topics</translation>
    </message>
    <message>
        <source>بحث في المواضيع</source>
        <translation>Search the topics</translation>
    </message>
    <message>
        <source>القائمة الرئيسية</source>
        <translation>Main list</translation>
    </message>
    <message>
        <source>المواضيع</source>
        <translation>Topics</translation>
    </message>
    <message>
        <source>الآيات المتعلقة بالموضوع</source>
        <translation>Ayas on the topic</translation>
    </message>
</context>
<context>
    <name>KhatmaWindow</name>
    <message>
        <source>خطة الختمة</source>
        <translation>Khatma plan</translation>
    </message>
    <message>
        <source>خطة جديدة</source>
        <translation>New plan</translation>
    </message>
    <message>
        <source>بعدد الأيام</source>
        <translation>By number of days</translation>
    </message>
    <message>
        <source>عدد الأيام</source>
        <translation>Number of days</translation>
    </message>
    <message>
        <source>بعدد الصفحات في اليوم</source>
        <translation>By pages a day</translation>
    </message>
    <message>
        <source>عدد الصفحات في اليوم</source>
        <translation>Pages a day</translation>
    </message>
    <message>
        <source>صفحة البدء</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>تاريخ البدء</source>
        <translation>Start date</translation>
    </message>
    <message>
        <source>yyyy/MM/dd</source>
        <translation>yyyy/MM/dd</translation>
    </message>
    <message>
        <source>بدء الخطة</source>
        <translation>Start the plan</translation>
    </message>
    <message>
        <source>الخطة الحالية</source>
        <translation>Current plan</translation>
    </message>
    <message>
        <source>لا توجد خطة</source>
        <translation>No plan</translation>
    </message>
    <message>
        <source>%v من %m</source>
        <translation>%v of %m</translation>
    </message>
    <message>
        <source>الصفحات المقروءة</source>
        <translation>Pages read</translation>
    </message>
    <message>
        <source>قراءة ورد اليوم</source>
        <translation>Read today&apos;s portion</translation>
    </message>
    <message>
        <source>تم ورد اليوم</source>
        <translation>Today&apos;s portion done</translation>
    </message>
    <message>
        <source>إعادة الخطة</source>
        <translation>Restart the plan</translation>
    </message>
    <message>
        <source>إنهاء الخطة</source>
        <translation>End the plan</translation>
    </message>
    <message>
        <source>أوراد الخطة</source>
        <translation>The plan&apos;s portions</translation>
    </message>
    <message>
        <source>الختمات السابقة</source>
        <translation>Earlier khatmas</translation>
    </message>
</context>
<context>
    <name>NotesStore</name>
    <message>
        <source>لم يحفظ التغيير: %1</source>
        <translation>The change was not saved: %1</translation>
    </message>
    <message>
        <source>في ملف بياناتك %1 من الخواطر بمرجع لا يدل على آيات (رقم سورة أو آية خارج المدى) أو بنص أو وسوم أطول من %2 حرف، فنُحّيت جانبا في جدول notes_set_aside داخل الملف ولن تظهر. بقية خواطرك كما هي؛ ويمكنك كتابة تلك الخواطر من جديد على آياتها</source>
        <translation>%1 of the notes in your data file have a reference that points to no ayas (a sura or aya number out of range) or a text or tags longer than %2 characters, so they were set aside in the notes_set_aside table inside the file and will not be shown. Your other notes are as they were; you can write those notes again on their ayas</translation>
    </message>
</context>
<context>
    <name>ReadingWindow</name>
    <message>
        <source>القراءة</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>الصفحة</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>الرسم</source>
        <translation>Script</translation>
    </message>
    <message>
        <source>الإملائي</source>
        <translation>Standard spelling</translation>
    </message>
    <message>
        <source>العثماني</source>
        <translation>Uthmani</translation>
    </message>
    <message>
        <source>طريقة العرض</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>صفحة المصحف</source>
        <translation>Mushaf page</translation>
    </message>
    <message>
        <source>نص متصل</source>
        <translation>Continuous text</translation>
    </message>
    <message>
        <source>الصفحة السابقة</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>الصفحة التالية</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>نص الصفحة</source>
        <translation>Page text</translation>
    </message>
    <message>
        <source>الترجمة تحت كل آية</source>
        <translation>Translation under each aya</translation>
    </message>
</context>
<context>
    <name>Tajweed</name>
    <message>
        <source>همزة الوصل</source>
        <translation>Hamzat al-wasl</translation>
    </message>
    <message>
        <source>حرف لا يُنطق</source>
        <translation>Silent letter</translation>
    </message>
    <message>
        <source>اللام الشمسية</source>
        <translation>Lam shamsiyya</translation>
    </message>
    <message>
        <source>مد طبيعي (حركتان)</source>
        <translation>Natural madd (2 counts)</translation>
    </message>
    <message>
        <source>مد عارض أو لين (2، 4، 6)</source>
        <translation>Madd arid or lin (2, 4, 6)</translation>
    </message>
    <message>
        <source>مد واجب متصل (4، 5)</source>
        <translation>Madd wajib muttasil (4, 5)</translation>
    </message>
    <message>
        <source>مد جائز منفصل (4، 5)</source>
        <translation>Madd jaiz munfasil (4, 5)</translation>
    </message>
    <message>
        <source>مد لازم (6)</source>
        <translation>Madd lazim (6)</translation>
    </message>
    <message>
        <source>غنة</source>
        <translation>Ghunna</translation>
    </message>
    <message>
        <source>إخفاء</source>
        <translation>Ikhfa</translation>
    </message>
    <message>
        <source>إخفاء شفوي</source>
        <translation>Ikhfa shafawi</translation>
    </message>
    <message>
        <source>إدغام بغنة</source>
        <translation>Idgham with ghunna</translation>
    </message>
    <message>
        <source>إدغام بغير غنة</source>
        <translation>Idgham without ghunna</translation>
    </message>
    <message>
        <source>إدغام شفوي</source>
        <translation>Idgham shafawi</translation>
    </message>
    <message>
        <source>إدغام متجانسين</source>
        <translation>Idgham mutajanisayn</translation>
    </message>
    <message>
        <source>إدغام متقاربين</source>
        <translation>Idgham mutaqaribayn</translation>
    </message>
    <message>
        <source>إقلاب</source>
        <translation>Iqlab</translation>
    </message>
    <message>
        <source>قلقلة</source>
        <translation>Qalqala</translation>
    </message>
    <message>
        <source>حروف لا تُنطق</source>
        <translation>Silent letters</translation>
    </message>
    <message>
        <source>تُكتب ولا تُقرأ في وصل الكلام.</source>
        <translation>Written but not read when reading on without a pause.</translation>
    </message>
    <message>
        <source>مد حركتين</source>
        <translation>Madd (2 counts)</translation>
    </message>
    <message>
        <source>يُمد حرف المد حركتين.</source>
        <translation>The madd letter is lengthened 2 counts.</translation>
    </message>
    <message>
        <source>مد 2 أو 4 أو 6</source>
        <translation>Madd 2, 4 or 6</translation>
    </message>
    <message>
        <source>يُمد حركتين أو أربعًا أو ستًّا عند الوقف على الكلمة.</source>
        <translation>Lengthened 2, 4 or 6 counts when stopping on the word.</translation>
    </message>
    <message>
        <source>مد 4 أو 5</source>
        <translation>Madd 4 or 5</translation>
    </message>
    <message>
        <source>يُمد أربع حركات أو خمسًا لهمزة بعد حرف المد.</source>
        <translation>Lengthened 4 or 5 counts for a hamza after the madd letter.</translation>
    </message>
    <message>
        <source>مد 6</source>
        <translation>Madd 6</translation>
    </message>
    <message>
        <source>يُمد ست حركات لزومًا.</source>
        <translation>Always lengthened 6 counts.</translation>
    </message>
    <message>
        <source>غنة وإخفاء وإدغام بغنة وإقلاب</source>
        <translation>Ghunna, Ikhfa, Idgham with ghunna and Iqlab</translation>
    </message>
    <message>
        <source>صوت من الخيشوم مقداره حركتان.</source>
        <translation>A nasal sound lasting 2 counts.</translation>
    </message>
    <message>
        <source>يدخل الحرف في الذي بعده فيُنطقان حرفًا واحدًا بلا غنة.</source>
        <translation>The letter merges into the next one, and the two are pronounced as one letter without ghunna.</translation>
    </message>
    <message>
        <source>يُنطق الحرف الساكن بنبرة مهتزة حتى يُسمع.</source>
        <translation>The letter with sukun is pronounced with an echoing bounce so that it is heard.</translation>
    </message>
</context>
<context>
    <name>TajweedLegend</name>
    <message>
        <source>دليل ألوان التجويد</source>
        <translation>Tajweed colour guide</translation>
    </message>
    <message>
        <source>اختر لونًا لتُعلَّم مواضعه في الصفحة وحدها.</source>
        <translation>Choose a colour to mark its places on this page only.</translation>
    </message>
    <message>
        <source>ألوان التجويد</source>
        <translation>Tajweed colours</translation>
    </message>
</context>
<context>
    <name>TranslationLibrary</name>
    <message>
        <source>ترجمة %1 (%2)، المصدر: %3</source>
        <translation>Translation by %1 (%2), source: %3</translation>
    </message>
</context>
<context>
    <name>TranslationPane</name>
    <message>
        <source>الترجمة</source>
        <translation>Translation</translation>
    </message>
</context>
<context>
    <name>UserData</name>
    <message>
        <source>الآيات المختارة</source>
        <translation>Chosen ayas</translation>
    </message>
    <message>
        <source>سجل البحث</source>
        <translation>Search history</translation>
    </message>
    <message>
        <source>الإعدادات</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>الخواطر</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>قوائم الآيات</source>
        <translation>Aya lists</translation>
    </message>
    <message>
        <source>الحفظ والمراجعة</source>
        <translation>Memorise and review</translation>
    </message>
    <message>
        <source>في ملف بياناتك جداول لا يعرف هذا الإصدار أعمدتها: %1. فنُحّيت جانبا داخل الملف بأسماء أخرى (%2) وبدأت فارغة، وبقي سائر بياناتك كما هو:
%3</source>
        <translation>Your data file has tables whose columns this version does not know: %1. They were set aside inside the file under other names (%2) and started empty; the rest of your data is as it was:
%3</translation>
    </message>
    <message>
        <source>في مكان ملف بياناتك شيء ليس ملفا عاديا (أنبوب أو جهاز أو مجلد)، فلم يُفتح ولن تحفظ الآيات المختارة وسجل البحث في هذه الجلسة. انقله من مكانه ثم أعد تشغيل البرنامج:
%1</source>
        <translation>Something that is not an ordinary file (a pipe, device or folder) is where your data file should be, so it was not opened and the chosen ayas and search history will not be saved this session. Move it away, then restart the program:
%1</translation>
    </message>
</context>
<context>
    <name>UserStore</name>
    <message>
        <source>ملف بياناتك من إصدار أحدث من البرنامج، ففُتح للقراءة فقط كي لا يُفسد هذا الإصدار ما كتبه ذاك؛ استعمل الإصدار الأحدث لتغيير بياناتك</source>
        <translation>Your data file is from a newer version of the program, so it was opened read-only to keep this version from spoiling what that one wrote; use the newer version to change your data</translation>
    </message>
    <message>
        <source>ملف بياناتك من إصدار سابق وتعذر حفظ نسخة منه قبل تحديثه، ففُتح للقراءة فقط؛ تأكد من إمكان إنشاء ملف النسخة ثم أعد تشغيل البرنامج</source>
        <translation>Your data file is from an earlier version and a copy of it could not be saved before updating it, so it was opened read-only; make sure the copy can be created, then restart the program</translation>
    </message>
    <message>
        <source>ملف بياناتك أو مجلده لا يقبل الكتابة، ففُتح للقراءة فقط؛ اجعلهما قابلين للكتابة ثم أعد تشغيل البرنامج</source>
        <translation>Your data file or its folder cannot be written, so it was opened read-only; make them writable, then restart the program</translation>
    </message>
</context>
<context>
    <name>WholeFile</name>
    <message>
        <source>ليس ملفًا عاديًا؛ اختر اسم ملف</source>
        <translation>Not an ordinary file; choose a file name</translation>
    </message>
</context>
<context>
    <name>zarfan::AboutWindow</name>
    <message>
        <source> فريق تطوير زرفان</source>
        <translation> The Zarfan development team</translation>
    </message>
</context>
<context>
    <name>zarfan::AyaListsWindow</name>
    <message>
        <source>قوائم الآيات</source>
        <translation>Aya lists</translation>
    </message>
    <message>
        <source>القوائم</source>
        <translation>Lists</translation>
    </message>
    <message>
        <source>آيات القائمة</source>
        <translation>The list&apos;s ayas</translation>
    </message>
    <message>
        <source>قائمة جديدة</source>
        <translation>New list</translation>
    </message>
    <message>
        <source>إعادة التسمية</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>حذف القائمة</source>
        <translation>Delete the list</translation>
    </message>
    <message>
        <source>إضافة الآيات المحددة</source>
        <translation>Add the selected ayas</translation>
    </message>
    <message>
        <source>إزالة</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>تقديم</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>تأخير</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>عرض القائمة</source>
        <translation>Show the list</translation>
    </message>
    <message>
        <source>تأليف</source>
        <translation>Compose</translation>
    </message>
    <message>
        <source>تعذر حفظ التغيير:
%1</source>
        <translation>Could not save the change:
%1</translation>
    </message>
    <message>
        <source>اسم القائمة</source>
        <translation>List name</translation>
    </message>
    <message>
        <source>توجد قائمة بهذا الاسم</source>
        <translation>A list with this name exists</translation>
    </message>
    <message>
        <source>هل تريد حذف القائمة «%1»؟</source>
        <translation>Delete the list “%1”?</translation>
    </message>
</context>
<context>
    <name>zarfan::Ayareference</name>
    <message>
        <source>رقم السورة خارج المدى: من 1 إلى 114</source>
        <translation>Sura number out of range: from 1 to 114</translation>
    </message>
    <message>
        <source>رقم الآية خارج المدى: آيات هذه السورة من 1 إلى %1</source>
        <translation>Aya number out of range: this sura&apos;s ayas are 1 to %1</translation>
    </message>
    <message>
        <source>لم يتم التعرف على المرجع: اكتب رقم السورة والآية مثل 2:255 أو اسم السورة ورقم الآية مثل البقرة 255</source>
        <translation>The reference was not recognised: write the sura and aya numbers such as 2:255, or the sura&apos;s name and the aya number such as البقرة 255</translation>
    </message>
</context>
<context>
    <name>zarfan::ChosenListCommands</name>
    <message>
        <source>لقد تمت إضافة هذه الآية سابقا</source>
        <translation>This aya was already added</translation>
    </message>
</context>
<context>
    <name>zarfan::CommandLine</name>
    <message>
        <source>خيار غير معروف: &quot;%1&quot;، والخيارات المعروفة مذكورة أدناه
Unknown option: &quot;%1&quot;

</source>
        <translation>Unknown option: &quot;%1&quot;; the known options are listed below

</translation>
    </message>
    <message>
        <source>الاستعمال: zarfan [--help | --version | --lang ar|en]
Usage: zarfan [--help | --version | --lang ar|en]

  --help     يعرض هذا النص ثم ينتهي
             print this text and exit
  --version  يعرض إصدار البرنامج ثم ينتهي
             print the program&apos;s version and exit
  --lang ar|en  لغة الواجهة في هذا التشغيل وحده (العربية أو الإنجليزية)
             the interface&apos;s language for this run only (Arabic or English)
  خيارات Qt نفسها (مثل -platform و-style و-reverse) تمرر إليها
             Qt&apos;s own options (such as -platform, -style, -reverse) are passed to Qt

متغيرات البيئة / Environment:
  ZARFAN_USER_DATA  مجلد بيانات القارئ (user.db بما فيه من الآيات المختارة والخواطر والقوائم والختمة ومكان القراءة وغيرها،
                    وخط الآيات all.txt إذا تعذرت الكتابة بجانب البرنامج)
                    folder of the reader&apos;s files (user.db: chosen ayas, notes, lists, the khatma, the reading
                    place and more; and the aya font, all.txt, when the program&apos;s folder cannot be written)
  ZARFAN_LOCK_FILE  ملف القفل الذي يمنع تشغيل نسختين معا
                    lock file that keeps the program to one running copy

الملفات / Files:
  %1
      قاعدة بيانات النص والتفسير / scripture database
  %2
      خط الآيات / aya font (all.txt)
  %3
      بيانات القارئ / the reader&apos;s data
  %4
      ملف القفل / lock file
</source>
        <translation>Usage: zarfan [--help | --version | --lang ar|en]

  --help     print this text and exit
  --version  print the program&apos;s version and exit
  --lang ar|en  the interface&apos;s language for this run only (Arabic or English)
  Qt&apos;s own options (such as -platform, -style, -reverse) are passed to Qt

Environment:
  ZARFAN_USER_DATA  folder of the reader&apos;s files (user.db: chosen ayas, notes, lists, the khatma, the reading
                    place and more; and the aya font, all.txt, when the program&apos;s folder cannot be written)
  ZARFAN_LOCK_FILE  lock file that keeps the program to one running copy

Files:
  %1
      scripture database
  %2
      aya font (all.txt)
  %3
      the reader&apos;s data
  %4
      lock file
</translation>
    </message>
    <message>
        <source>زرفان 3.0
Zarfan %1
</source>
        <translation>Zarfan %1
</translation>
    </message>
    <message>
        <source>تعذرت كتابة الجواب في المخرج؛ تحقق من المكان الذي يوجه إليه
Could not write to standard output.
</source>
        <translation>Could not write to standard output; check where it is directed.
</translation>
    </message>
    <message>
        <source>لا يمكن تشغيل أكثر من نسخة من البرنامج</source>
        <translation>Only one copy of the program can run at a time</translation>
    </message>
</context>
<context>
    <name>zarfan::ComposeWindow</name>
    <message>
        <source>يرجى الإنتظار ...</source>
        <translation>Please wait ...</translation>
    </message>
    <message>
        <source>حفظ النص</source>
        <translation>Save text</translation>
    </message>
    <message>
        <source>نص</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>صفحة ويب</source>
        <translation>Web page</translation>
    </message>
    <message>
        <source>تعذر حفظ الملف، ولم يتغير أي ملف سابق بالاسم نفسه:
%1
%2</source>
        <translation>Could not save the file; no earlier file of the same name was changed:
%1
%2</translation>
    </message>
    <message>
        <source>طباعة</source>
        <translation>Print</translation>
    </message>
</context>
<context>
    <name>zarfan::DidYouMeanBar</name>
    <message>
        <source>هل تقصد : </source>
        <translation>Did you mean: </translation>
    </message>
    <message>
        <source>، </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>zarfan::Distribution</name>
    <message>
        <source>الجزء %1</source>
        <translation>Juz %1</translation>
    </message>
</context>
<context>
    <name>zarfan::DistributionWindow</name>
    <message>
        <source>الجزء</source>
        <translation>Juz</translation>
    </message>
    <message>
        <source>السورة</source>
        <translation>Sura</translation>
    </message>
</context>
<context>
    <name>zarfan::Divisionreference</name>
    <message>
        <source>الحزب : %1    الربع : %2</source>
        <translation>Hizb: %1    Quarter: %2</translation>
    </message>
    <message>
        <source>    سجدة</source>
        <translation>    Sajda</translation>
    </message>
    <message>
        <source>صيغة رقم %1 غير صحيحة: اكتب رقما من 1 إلى %2، مثل «%3 %4» أو «%3 %4-%5»</source>
        <translation>Malformed %1 number: write a number from 1 to %2, such as «%3 %4» or «%3 %4-%5»</translation>
    </message>
    <message>
        <source>الصفحة</source>
        <translation>page</translation>
    </message>
    <message>
        <source>الحزب</source>
        <translation>hizb</translation>
    </message>
    <message>
        <source>الربع</source>
        <translation>quarter</translation>
    </message>
    <message>
        <source>المنزل</source>
        <translation>manzil</translation>
    </message>
    <message>
        <source>الجزء</source>
        <translation>juz</translation>
    </message>
    <message>
        <source>رقم الصفحة خارج المدى: من 1 إلى 604</source>
        <translation>Page number out of range: from 1 to 604</translation>
    </message>
    <message>
        <source>رقم الحزب خارج المدى: من 1 إلى 60</source>
        <translation>Hizb number out of range: from 1 to 60</translation>
    </message>
    <message>
        <source>رقم الربع خارج المدى: من 1 إلى 240</source>
        <translation>Quarter number out of range: from 1 to 240</translation>
    </message>
    <message>
        <source>رقم المنزل خارج المدى: من 1 إلى 7</source>
        <translation>Manzil number out of range: from 1 to 7</translation>
    </message>
    <message>
        <source>رقم الجزء خارج المدى: من 1 إلى 30</source>
        <translation>Juz number out of range: from 1 to 30</translation>
    </message>
</context>
<context>
    <name>zarfan::JuzChart</name>
    <message>
        <source>الصفحات في كل جزء</source>
        <translation>Pages in each juz</translation>
    </message>
</context>
<context>
    <name>zarfan::KhatmaTracker</name>
    <message>
        <source>خطة الختمة المحفوظة تالفة فحذفت، ويمكنك بدء خطة جديدة من نافذة خطة الختمة</source>
        <translation>The saved khatma plan was damaged and has been deleted; you can start a new plan in the Khatma plan window</translation>
    </message>
    <message>
        <source>حذفت من قائمة الختمات السابقة مدخلات تالفة عددها %1، وبقيت سائر الختمات كما هي</source>
        <translation>%1 damaged entries were deleted from the earlier khatmas; the other khatmas are as they were</translation>
    </message>
    <message>
        <source>
وبقيت سائر بياناتك كما هي</source>
        <translation>
The rest of your data is as it was</translation>
    </message>
</context>
<context>
    <name>zarfan::KhatmaWindow</name>
    <message>
        <source>من %1 إلى %2</source>
        <translation>From %1 to %2</translation>
    </message>
    <message>
        <source>هل تريد إنهاء الخطة؟ يضيع ما سجل من تقدمها</source>
        <translation>End the plan? The progress recorded in it will be lost</translation>
    </message>
    <message>
        <source>نعم</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>لا</source>
        <translation>No</translation>
    </message>
    <message>
        <source>لا توجد خطة</source>
        <translation>No plan</translation>
    </message>
    <message>
        <source>%1 : من صفحة %2 إلى صفحة %3</source>
        <translation>%1: from page %2 to page %3</translation>
    </message>
</context>
<context>
    <name>zarfan::Khatmaplan</name>
    <message>
        <source>تاريخ البدء بعد اليوم: اختر اليوم أو يوما قبله</source>
        <translation>The start date is after today: choose today or an earlier day</translation>
    </message>
    <message>
        <source>صفحة البدء خارج المدى: من 1 إلى 604</source>
        <translation>First page out of range: from 1 to 604</translation>
    </message>
    <message>
        <source>عدد الأيام خارج المدى: من 1 إلى 365</source>
        <translation>Number of days out of range: from 1 to 365</translation>
    </message>
    <message>
        <source>عدد الصفحات في اليوم خارج المدى: من 1 إلى 604</source>
        <translation>Pages a day out of range: from 1 to 604</translation>
    </message>
    <message>
        <source>صفحات</source>
        <translation>pages</translation>
    </message>
    <message>
        <source>صفحة</source>
        <translation>page</translation>
    </message>
    <message>
        <source>ورد اليوم : من صفحة %1 إلى صفحة %2</source>
        <translation>Today&apos;s portion: from page %1 to page %2</translation>
    </message>
    <message>
        <source>متقدم بـ %1 </source>
        <translation>Ahead by %1 </translation>
    </message>
    <message>
        <source>متأخر بـ %1 </source>
        <translation>Behind by %1 </translation>
    </message>
    <message>
        <source>في الموعد</source>
        <translation>On schedule</translation>
    </message>
    <message>
        <source>الأيام الباقية : %1</source>
        <translation>Days left: %1</translation>
    </message>
</context>
<context>
    <name>zarfan::LanguageMenu</name>
    <message>
        <source>ستظهر الواجهة بالإنجليزية عند التشغيل التالي للبرنامج</source>
        <translation>The interface will be in English the next time the program starts</translation>
    </message>
    <message>
        <source>ستظهر الواجهة بالعربية عند التشغيل التالي للبرنامج</source>
        <translation>The interface will be in Arabic the next time the program starts</translation>
    </message>
</context>
<context>
    <name>zarfan::List</name>
    <message>
        <source>، </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>zarfan::Listingcountstext</name>
    <message>
        <source>لا يوجد هذا الجذر</source>
        <translation>This root does not occur</translation>
    </message>
    <message>
        <source>لا يوجد هذا الأصل</source>
        <translation>This stem does not occur</translation>
    </message>
    <message>
        <source>عدد الآيات : %1    عدد السور : %2</source>
        <translation>Ayas: %1    Suras: %2</translation>
    </message>
    <message>
        <source>عدد المرات : %1    </source>
        <translation>Occurrences: %1    </translation>
    </message>
    <message>
        <source>    في تفسير الجلالين</source>
        <translation>    in al-Jalalayn tafsir</translation>
    </message>
    <message>
        <source>    في التفسير الميسر</source>
        <translation>    in al-Muyassar tafsir</translation>
    </message>
    <message>
        <source>    الجذر : </source>
        <translation>    Root: </translation>
    </message>
    <message>
        <source>    أصل الكلمة : </source>
        <translation>    Stem: </translation>
    </message>
</context>
<context>
    <name>zarfan::MainWindow</name>
    <message>
        <source>الحزب والربع</source>
        <translation>Hizb and quarter</translation>
    </message>
</context>
<context>
    <name>zarfan::MemoriseCommands</name>
    <message>
        <source>الآيات المتشابهة</source>
        <translation>Similar ayas</translation>
    </message>
    <message>
        <source>التسميع</source>
        <translation>Recite from memory</translation>
    </message>
    <message>
        <source>الحفظ والمراجعة</source>
        <translation>Memorise and review</translation>
    </message>
    <message>
        <source>تعذر إعداد الآيات المتشابهة: نص الآيات لم يقرأ من قاعدة البيانات.
أعد تشغيل البرنامج، فإن تكرر فأعد تثبيته.</source>
        <translation>Could not prepare the similar ayas: the ayas&apos; text was not read from the database.
Restart the program; if it happens again, reinstall it.</translation>
    </message>
    <message>
        <source>تعذر فتح التسميع: نص الآيات لم يقرأ من قاعدة البيانات.
أعد تشغيل البرنامج، فإن تكرر فأعد تثبيته.</source>
        <translation>Could not open recitation from memory: the ayas&apos; text was not read from the database.
Restart the program; if it happens again, reinstall it.</translation>
    </message>
</context>
<context>
    <name>zarfan::MemoriseMode</name>
    <message>
        <source>وضع الحفظ</source>
        <translation>Memorise mode</translation>
    </message>
    <message>
        <source>إخفاء</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>كل الكلمات</source>
        <translation>All words</translation>
    </message>
    <message>
        <source>ما بعد الآية الحالية</source>
        <translation>After the current aya</translation>
    </message>
    <message>
        <source>الحرف الأول</source>
        <translation>First letter</translation>
    </message>
    <message>
        <source>كلمة وكلمة</source>
        <translation>Word by word</translation>
    </message>
</context>
<context>
    <name>zarfan::MemoriseProgress</name>
    <message>
        <source>قيد الحفظ</source>
        <translation>Being memorised</translation>
    </message>
    <message>
        <source>محفوظ</source>
        <translation>Memorised</translation>
    </message>
    <message>
        <source>لم يحفظ</source>
        <translation>Not memorised</translation>
    </message>
</context>
<context>
    <name>zarfan::Memorysearch</name>
    <message>
        <source>صيغة البحث غير صحيحة</source>
        <translation>The search is malformed</translation>
    </message>
</context>
<context>
    <name>zarfan::Messages</name>
    <message>
        <source>تعذرت قراءة ملف بياناتك (الآيات المختارة وسجل البحث)، فنُقل جانبا باسم:
%1
وبدأ البرنامج بقائمة فارغة</source>
        <translation>Your data file (chosen ayas and search history) could not be read, so it was moved aside as:
%1
and the program started with an empty list</translation>
    </message>
    <message>
        <source>تعذرت قراءة ملف بياناتك أثناء العمل، فنُقل جانبا باسم:
%1
وحُفظت الآيات المختارة الظاهرة وخطة الختمة في ملف جديد، وبقي ما سواهما (سجل البحث والخواطر والقوائم) في الملف المنقول</source>
        <translation>Your data file could not be read while working, so it was moved aside as:
%1
The chosen ayas shown and the khatma plan were saved in a new file; everything else (search history, notes and lists) stays in the file moved aside</translation>
    </message>
    <message>
        <source>لا يمكن الكتابة في ملف بياناتك، فتظهر الآيات المختارة وسجل البحث كما هي ولن تحفظ تغييرات هذه الجلسة:
%1</source>
        <translation>Your data file cannot be written, so the chosen ayas and search history are shown as they are and this session&apos;s changes will not be saved:
%1</translation>
    </message>
    <message>
        <source>ملف بياناتك من إصدار أحدث من البرنامج، فلم يغير فيه شيء ولن تحفظ تغييرات هذه الجلسة:
%1</source>
        <translation>Your data file is from a newer version of the program, so nothing in it was changed and this session&apos;s changes will not be saved:
%1</translation>
    </message>
    <message>
        <source>ملف بياناتك من إصدار سابق، وتعذر حفظ نسخة منه قبل تحديثه، فتُرك كما هو: تظهر بياناتك ولن تحفظ تغييرات هذه الجلسة.
تأكد من إمكان إنشاء ملف النسخة ثم أعد تشغيل البرنامج:
%1</source>
        <translation>Your data file is from an earlier version, and a copy could not be saved before updating it, so it was left as it is: your data is shown but this session&apos;s changes will not be saved.
Make sure the copy can be created, then restart the program:
%1</translation>
    </message>
    <message>
        <source>تعذر فتح ملف بياناتك، فلن تحفظ الآيات المختارة وسجل البحث في هذه الجلسة:
%1</source>
        <translation>Your data file could not be opened, so the chosen ayas and search history will not be saved this session:
%1</translation>
    </message>
    <message>
        <source>في مكان ملف القفل شيء غير ملف عادي، فلن يمنع البرنامج تشغيل نسخة ثانية منه:
%1</source>
        <translation>Something other than an ordinary file stands where the lock file goes, so the program will not prevent a second copy from running:
%1</translation>
    </message>
</context>
<context>
    <name>zarfan::Mushafpage</name>
    <message>
        <source>الجزء : %1    الحزب : %2    الربع : %3    السورة : %4</source>
        <translation>Juz: %1    Hizb: %2    Quarter: %3    Sura: %4</translation>
    </message>
    <message>
        <source>سجدة واجبة</source>
        <translation>Obligatory sajda</translation>
    </message>
    <message>
        <source>سجدة مستحبة</source>
        <translation>Recommended sajda</translation>
    </message>
</context>
<context>
    <name>zarfan::NavigatorWindow</name>
    <message>
        <source>اختر إسم السورة</source>
        <translation>Choose the sura&apos;s name</translation>
    </message>
    <message>
        <source>اختر رقم السورة</source>
        <translation>Choose the sura&apos;s number</translation>
    </message>
    <message>
        <source>اختر رقم الجزء</source>
        <translation>Choose the juz&apos;s number</translation>
    </message>
</context>
<context>
    <name>zarfan::NoteEditor</name>
    <message>
        <source>خاطرة</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>نص الخاطرة</source>
        <translation>Note text</translation>
    </message>
    <message>
        <source>الوسوم</source>
        <translation>Tags</translation>
    </message>
    <message>
        <source>حفظ</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>حذف</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>إغلاق</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>الخاطرة فارغة</source>
        <translation>The note is empty</translation>
    </message>
    <message>
        <source>تعذر حفظ الخاطرة، وهي باقية في النافذة:
%1</source>
        <translation>Could not save the note; it stays in the window:
%1</translation>
    </message>
    <message>
        <source>هل تريد حذف هذه الخاطرة؟</source>
        <translation>Delete this note?</translation>
    </message>
    <message>
        <source>تعذر حذف الخاطرة:
%1</source>
        <translation>Could not delete the note:
%1</translation>
    </message>
    <message>
        <source>لم تحفظ الخاطرة. هل تريد إغلاقها دون حفظ؟</source>
        <translation>The note was not saved. Close it without saving?</translation>
    </message>
</context>
<context>
    <name>zarfan::NoteSearch</name>
    <message>
        <source>لا توجد خاطرة بهذه الكلمات</source>
        <translation>No note has these words</translation>
    </message>
</context>
<context>
    <name>zarfan::NoteStatusLine</name>
    <message>
        <source>خاطرة : </source>
        <translation>Note: </translation>
    </message>
</context>
<context>
    <name>zarfan::NotesBrowser</name>
    <message>
        <source>الخواطر</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>تصفية الخواطر</source>
        <translation>Filter notes</translation>
    </message>
    <message>
        <source>قائمة الخواطر</source>
        <translation>List of notes</translation>
    </message>
</context>
<context>
    <name>zarfan::NotesCommands</name>
    <message>
        <source>خواطري</source>
        <translation>My notes</translation>
    </message>
    <message>
        <source>إضافة خاطرة</source>
        <translation>Add a note</translation>
    </message>
    <message>
        <source>الخواطر</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>قوائم الآيات</source>
        <translation>Aya lists</translation>
    </message>
    <message>
        <source>تصدير</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>استيراد</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>تعديل الخاطرة</source>
        <translation>Edit the note</translation>
    </message>
</context>
<context>
    <name>zarfan::NotesModel</name>
    <message>
        <source>، </source>
        <translation>, </translation>
    </message>
    <message>
        <source>الآية</source>
        <translation>Aya</translation>
    </message>
    <message>
        <source>الخاطرة</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>الوسوم</source>
        <translation>Tags</translation>
    </message>
    <message>
        <source>آخر تعديل</source>
        <translation>Last changed</translation>
    </message>
</context>
<context>
    <name>zarfan::NotesStore</name>
    <message>
        <source>لا يوجد ملف لبيانات المستخدم، فلن تحفظ التغييرات في هذه الجلسة</source>
        <translation>There is no user data file, so changes will not be saved this session</translation>
    </message>
    <message>
        <source>توجد قائمة بهذا الاسم، فاختر اسما آخر</source>
        <translation>A list with this name exists; choose another name</translation>
    </message>
    <message>
        <source>ملف بياناتك لا يقبل الكتابة الآن، فلم يحفظ التغيير. تأكد أن الملف ومجلده قابلان للكتابة ثم أعد تشغيل البرنامج</source>
        <translation>Your data file cannot be written now, so the change was not saved. Make sure the file and its folder can be written, then restart the program</translation>
    </message>
    <message>
        <source>لا مكان في القرص، فلم يحفظ التغيير. أفرغ مكانا ثم أعد المحاولة</source>
        <translation>The disk is full, so the change was not saved. Free some space and try again</translation>
    </message>
    <message>
        <source>ملف بياناتك مشغول ببرنامج آخر، فلم يحفظ التغيير. أعد المحاولة بعد قليل</source>
        <translation>Your data file is busy with another program, so the change was not saved. Try again shortly</translation>
    </message>
    <message>
        <source>ملف بياناتك لا يطابق ما يعرفه هذا الإصدار من البرنامج (جدول أو عمود ناقص)، فلم يحفظ التغيير. انقل الملف جانبا ليبدأ البرنامج بملف جديد، أو استعمل الإصدار الذي كتبه</source>
        <translation>Your data file does not match what this version of the program knows (a table or column is missing), so the change was not saved. Move the file aside so the program starts with a new one, or use the version that wrote it</translation>
    </message>
    <message>
        <source>ملف بياناتك تالف، فلم يحفظ التغيير. أعد تشغيل البرنامج لينقله جانبا ويبدأ بملف جديد</source>
        <translation>Your data file is damaged, so the change was not saved. Restart the program to move it aside and start with a new file</translation>
    </message>
    <message>
        <source>تعذرت الكتابة في ملف بياناتك، فلم يحفظ التغيير. أعد المحاولة، وإن تكرر فأعد تشغيل البرنامج</source>
        <translation>Could not write to your data file, so the change was not saved. Try again; if it happens again, restart the program</translation>
    </message>
    <message>
        <source>، </source>
        <translation>, </translation>
    </message>
    <message>
        <source>مرجع الآية خارج المدى، فلم تحفظ الخاطرة</source>
        <translation>The aya reference is out of range, so the note was not saved</translation>
    </message>
    <message>
        <source>الخاطرة أطول من %1 حرف، فقصّرها ثم احفظها</source>
        <translation>The note is longer than %1 characters; shorten it, then save it</translation>
    </message>
    <message>
        <source>في الوسوم وسم أطول من %1 حرف، فقصّره ثم احفظ الخاطرة</source>
        <translation>A tag is longer than %1 characters; shorten it, then save the note</translation>
    </message>
    <message>
        <source>لم تعد هذه الخاطرة في ملف بياناتك (حذفت من نافذة أخرى)، فانسخ نصها واحفظه خاطرة جديدة</source>
        <translation>This note is no longer in your data file (it was deleted from another window); copy its text and save it as a new note</translation>
    </message>
    <message>
        <source>اسم القائمة فارغ، فاكتب لها اسما</source>
        <translation>The list&apos;s name is empty; give it a name</translation>
    </message>
    <message>
        <source>اسم القائمة أطول من %1 حرف، فاختر اسما أقصر</source>
        <translation>The list&apos;s name is longer than %1 characters; choose a shorter name</translation>
    </message>
</context>
<context>
    <name>zarfan::NotesText</name>
    <message>
        <source>برنامج زرفان - في القرآن الكريم</source>
        <translation>Zarfan - on the Holy Quran</translation>
    </message>
    <message>
        <source>شكر مقدم إلى كل من</source>
        <translation>With thanks to</translation>
    </message>
    <message>
        <source>مشروع تنزيل (Tanzil Project) على نص القرآن الكريم وبيانات الأجزاء والصفحات، برخصة المشاع الإبداعي CC BY 3.0</source>
        <translation>the Tanzil Project for the text of the Holy Quran and the juz and page data, under the Creative Commons licence CC BY 3.0</translation>
    </message>
    <message>
        <source>مجمع الملك فهد لطباعة المصحف الشريف على التفسير الميسر، ومؤلفَي تفسير الجلالين</source>
        <translation>the King Fahd Complex for the Printing of the Holy Quran for al-Muyassar tafsir, and the two authors of al-Jalalayn tafsir</translation>
    </message>
    <message>
        <source>موقع تنزيل الذي ينشر التفسيرين لغير الأغراض التجارية، وجامع الفهرس الموضوعي (مجهول الرخصة)</source>
        <translation>the Tanzil website, which publishes both tafsirs for non-commercial use, and the compiler of the topic index (licence unknown)</translation>
    </message>
    <message>
        <source>https://tanzil.net - الجذور: Quranic Arabic Corpus http://corpus.quran.com</source>
        <translation>https://tanzil.net - roots: Quranic Arabic Corpus http://corpus.quran.com</translation>
    </message>
    <message>
        <source>و كل من ساعد على نشر و تطوير البرنامج</source>
        <translation>and everyone who helped spread and develop the program</translation>
    </message>
    <message>
        <source>ملاحظة :</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>لقد تم العمل على قاعدة البيانات للوصول الى أدق صورة للقرآن الكريم ولكن لا أحد معصوم من </source>
        <translation>The database was worked on to give the most accurate form of the Holy Quran, but no one is free </translation>
    </message>
    <message>
        <source>الخطأ فإن وجدت أي مشكلة أرجو أن تقوم بإبلاغي بها بأسرع وقت ممكن للقيام بالتعديلات </source>
        <translation>of error; if you find any problem, please tell me as soon as possible so that the necessary </translation>
    </message>
    <message>
        <source>الضرورية</source>
        <translation>corrections can be made</translation>
    </message>
    <message>
        <source>يرجى مراجعة التحديث بشكل دوري لمتابعة أجدد الإصدارات و </source>
        <translation>Please check for updates regularly to follow the newest releases and </translation>
    </message>
    <message>
        <source>آخر المعلومات عن البرنامج و قاعدة البيانات</source>
        <translation>the latest news about the program and the database</translation>
    </message>
    <message>
        <source>نرجو ممن ينتفع بهذا البرنامج أن يدعو لكل من أسهم فيه</source>
        <translation>We ask whoever benefits from this program to pray for everyone who contributed to it</translation>
    </message>
</context>
<context>
    <name>zarfan::NotesTransfer</name>
    <message>
        <source># خواطري

</source>
        <translation># My notes

</translation>
    </message>
    <message>
        <source>الوسوم: %1

</source>
        <translation>Tags: %1

</translation>
    </message>
    <message>
        <source># قوائم الآيات

</source>
        <translation># Aya lists

</translation>
    </message>
    <message>
        <source>لم يستورد شيء: الملف ليس ملف JSON</source>
        <translation>Nothing was imported: the file is not a JSON file</translation>
    </message>
    <message>
        <source>لم يستورد شيء: الملف ليس ملف خواطر زرفان</source>
        <translation>Nothing was imported: the file is not a Zarfan notes file</translation>
    </message>
    <message>
        <source>لم يستورد شيء: إصدار الملف غير معروف</source>
        <translation>Nothing was imported: the file&apos;s version is unknown</translation>
    </message>
    <message>
        <source>لم يستورد شيء: تعذرت الكتابة في ملف بيانات المستخدم</source>
        <translation>Nothing was imported: the user data file could not be written</translation>
    </message>
    <message>
        <source>أضيف : %1    دمج : %2    رفض : %3</source>
        <translation>Added: %1    Merged: %2    Refused: %3</translation>
    </message>
</context>
<context>
    <name>zarfan::NotesTransferDialogs</name>
    <message>
        <source>تصدير</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>ملف خواطر</source>
        <translation>Notes file</translation>
    </message>
    <message>
        <source>نص Markdown</source>
        <translation>Markdown text</translation>
    </message>
    <message>
        <source>تعذر حفظ الملف، ولم يتغير أي ملف سابق بالاسم نفسه:
%1
%2</source>
        <translation>Could not save the file; no earlier file of the same name was changed:
%1
%2</translation>
    </message>
    <message>
        <source>تعذرت قراءة الملف:
%1</source>
        <translation>Could not read the file:
%1</translation>
    </message>
    <message>
        <source>استيراد</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>ملف خواطر ‎(*.json)‎ (*.json)</source>
        <translation>Notes file (*.json)</translation>
    </message>
    <message>
        <source>لم يستورد شيء: هذا ليس ملفا عاديا (أنبوب أو جهاز أو مجلد):
%1</source>
        <translation>Nothing was imported: this is not an ordinary file (a pipe, device or folder):
%1</translation>
    </message>
    <message>
        <source>لم يستورد شيء: الملف أكبر من %1 م.ب، وهو أكبر ملف خواطر يستورده البرنامج:
%2</source>
        <translation>Nothing was imported: the file is larger than %1 MB, the largest notes file the program imports:
%2</translation>
    </message>
</context>
<context>
    <name>zarfan::NotesWindow</name>
    <message>
        <source>التراخيص وحقوق البيانات</source>
        <translation>Licences and data rights</translation>
    </message>
    <message>
        <source>إغلاق</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>zarfan::Numbers</name>
    <message>
        <source>٠١٢٣٤٥٦٧٨٩</source>
        <translation>0123456789</translation>
    </message>
</context>
<context>
    <name>zarfan::OfflineDownload</name>
    <message>
        <source>تلاوة هذا القارئ في مجلد على هذا الجهاز؛ تسمع دون اتصال بلا تنزيل</source>
        <translation>This reciter&apos;s recitation is in a folder on this computer; it plays offline without downloading</translation>
    </message>
    <message>
        <source>لا آيات في ما اخترت تنزيله</source>
        <translation>There are no ayas in what you chose to download</translation>
    </message>
    <message>
        <source>توقف التنزيل عند الآية %1؛ ما اكتمل من الملفات محفوظ، وتكمله بالتنزيل مرة أخرى
%2</source>
        <translation>The download stopped at aya %1; the files completed are kept, and downloading again completes it
%2</translation>
    </message>
    <message>
        <source>، بقي أقل من دقيقة</source>
        <translation>, less than a minute left</translation>
    </message>
    <message>
        <source>، بقي نحو %1 دقيقة</source>
        <translation>, about %1 minutes left</translation>
    </message>
    <message>
        <source>انتهى التنزيل ناقصا: %1 من الملفات ليست على خادم التلاوة فتُركت، ونزل الباقي: %2</source>
        <translation>The download finished incomplete: %1 of the files are not on the recitation server and were skipped; the rest were downloaded: %2</translation>
    </message>
    <message>
        <source>%1 من %2 ملفا، %3</source>
        <translation>%1 of %2 files, %3</translation>
    </message>
</context>
<context>
    <name>zarfan::OfflineWindow</name>
    <message>
        <source>تنزيل للاستماع دون اتصال</source>
        <translation>Download for offline listening</translation>
    </message>
    <message>
        <source>ما ينزل</source>
        <translation>What to download</translation>
    </message>
    <message>
        <source>سورة</source>
        <translation>Sura</translation>
    </message>
    <message>
        <source>جزء</source>
        <translation>Juz</translation>
    </message>
    <message>
        <source>المصحف كله</source>
        <translation>The whole mushaf</translation>
    </message>
    <message>
        <source>السورة أو الجزء</source>
        <translation>The sura or juz</translation>
    </message>
    <message>
        <source>تنزيل</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>إلغاء التنزيل</source>
        <translation>Cancel the download</translation>
    </message>
    <message>
        <source>تقدم التنزيل</source>
        <translation>Download progress</translation>
    </message>
    <message>
        <source>القارئ :</source>
        <translation>Reciter:</translation>
    </message>
    <message>
        <source>تنزيل :</source>
        <translation>Download:</translation>
    </message>
    <message>
        <source>السورة أو الجزء :</source>
        <translation>Sura or juz:</translation>
    </message>
    <message>
        <source>لم يختر قارئ</source>
        <translation>No reciter chosen</translation>
    </message>
    <message>
        <source>اختر قارئا أولا من &quot;مصادر التلاوة&quot;</source>
        <translation>Choose a reciter first in &quot;Recitation sources&quot;</translation>
    </message>
    <message>
        <source>اكتمل التنزيل: </source>
        <translation>Download complete: </translation>
    </message>
    <message>
        <source>ألغي التنزيل: </source>
        <translation>Download cancelled: </translation>
    </message>
    <message>
        <source>؛ ما نزل محفوظ ويكمل من حيث وقف</source>
        <translation>; what was downloaded is kept and continues from where it stopped</translation>
    </message>
</context>
<context>
    <name>zarfan::OptionsWindow</name>
    <message>
        <source>اختر الجزء</source>
        <translation>Choose the juz</translation>
    </message>
    <message>
        <source>اختر إسم السورة</source>
        <translation>Choose the sura&apos;s name</translation>
    </message>
    <message>
        <source>اختر الحزب</source>
        <translation>Choose the hizb</translation>
    </message>
    <message>
        <source>تعذر حفظ الخط في الملف all.txt، وسيبقى الخط المختار حتى إغلاق البرنامج</source>
        <translation>Could not save the font in the file all.txt; the chosen font stays until the program is closed</translation>
    </message>
</context>
<context>
    <name>zarfan::PlayerBar</name>
    <message>
        <source>التلاوة</source>
        <translation>Recitation</translation>
    </message>
    <message>
        <source>القارئ</source>
        <translation>Reciter</translation>
    </message>
    <message>
        <source>لم تختر قارئا بعد.</source>
        <translation>You have not chosen a reciter yet.</translation>
    </message>
    <message>
        <source>اختيار قارئ من القائمة</source>
        <translation>Choose a reciter from the list</translation>
    </message>
    <message>
        <source>تحميل التلاوة</source>
        <translation>Loading the recitation</translation>
    </message>
    <message>
        <source>تكرار الآية</source>
        <translation>Repeat the aya</translation>
    </message>
    <message>
        <source>تكرار المقطع</source>
        <translation>Repeat the passage</translation>
    </message>
    <message>
        <source>السرعة</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>المقطع</source>
        <translation>Passage</translation>
    </message>
    <message>
        <source>بطول الآية</source>
        <translation>As long as the aya</translation>
    </message>
    <message>
        <source> ث</source>
        <translation> s</translation>
    </message>
    <message>
        <source>مهلة بعد الآية</source>
        <translation>Pause after the aya</translation>
    </message>
    <message>
        <source>%1 :</source>
        <translation>%1:</translation>
    </message>
</context>
<context>
    <name>zarfan::Playlist</name>
    <message>
        <source>من الآية الحالية إلى آخر السورة</source>
        <translation>From the current aya to the end of the sura</translation>
    </message>
    <message>
        <source>الصفحة</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>الجزء</source>
        <translation>Juz</translation>
    </message>
    <message>
        <source>نتائج البحث</source>
        <translation>Search results</translation>
    </message>
    <message>
        <source>الآيات المختارة</source>
        <translation>Chosen ayas</translation>
    </message>
</context>
<context>
    <name>zarfan::Problems</name>
    <message>
        <source>لم يتم العثور على ملف قاعدة البيانات zarfan.zf
%1</source>
        <translation>The database file zarfan.zf was not found
%1</translation>
    </message>
    <message>
        <source>تعذر فتح ملف قاعدة البيانات zarfan.zf: الملف تالف أو كلمة المرور غير صحيحة
%1</source>
        <translation>Could not open the database file zarfan.zf: the file is damaged or the password is wrong
%1</translation>
    </message>
    <message>
        <source>قاعدة البيانات zarfan.zf ناقصة أو تالفة ولا يمكن القراءة منها
%1</source>
        <translation>The database zarfan.zf is incomplete or damaged and cannot be read
%1</translation>
    </message>
    <message>
        <source>المسار المخصص لملف قاعدة البيانات zarfan.zf ليس ملفا (قد يكون مجلدا)
%1</source>
        <translation>The path given for the database file zarfan.zf is not a file (it may be a folder)
%1</translation>
    </message>
    <message>
        <source>لا توجد صلاحية لقراءة ملف قاعدة البيانات zarfan.zf
%1</source>
        <translation>No permission to read the database file zarfan.zf
%1</translation>
    </message>
    <message>
        <source>نص البحث معقد جدا، يرجى تبسيطه</source>
        <translation>The search text is too complex; please simplify it</translation>
    </message>
    <message>
        <source>قاعدة البيانات zarfan.zf تحوي رقم سورة غير صالح: &quot;%1&quot;</source>
        <translation>The database zarfan.zf holds an invalid sura number: &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>zarfan::ProgressWindow</name>
    <message>
        <source>فتح للمراجعة</source>
        <translation>Open for review</translation>
    </message>
    <message>
        <source>متقن</source>
        <translation>Solid</translation>
    </message>
    <message>
        <source>متردد</source>
        <translation>Hesitant</translation>
    </message>
    <message>
        <source>نسيت</source>
        <translation>Forgot</translation>
    </message>
    <message>
        <source>الحفظ والمراجعة</source>
        <translation>Memorise and review</translation>
    </message>
    <message>
        <source>صفحات</source>
        <translation>pages</translation>
    </message>
    <message>
        <source>سورة</source>
        <translation>Sura</translation>
    </message>
    <message>
        <source>جزء</source>
        <translation>Juz</translation>
    </message>
    <message>
        <source>من</source>
        <translation>From</translation>
    </message>
    <message>
        <source>إلى</source>
        <translation>To</translation>
    </message>
    <message>
        <source>تحديد</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>مراجعة اليوم</source>
        <translation>Today&apos;s review</translation>
    </message>
    <message>
        <source>تحديد الحالة</source>
        <translation>Set the state</translation>
    </message>
    <message>
        <source>الوحدة :</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source>من :</source>
        <translation>From:</translation>
    </message>
    <message>
        <source>إلى :</source>
        <translation>To:</translation>
    </message>
    <message>
        <source>الحالة :</source>
        <translation>State:</translation>
    </message>
    <message>
        <source>تغيرت الحالة في هذه الجلسة لكنها لم تحفظ: تعذرت الكتابة في ملف بيانات المستخدم.
تأكد من إمكان الكتابة في مجلد بيانات المستخدم ثم أعد التحديد.</source>
        <translation>The state changed in this session but was not saved: the user data file could not be written.
Make sure the user data folder can be written, then set it again.</translation>
    </message>
    <message>
        <source>لم تحفظ المراجعة: تعذرت الكتابة في ملف بيانات المستخدم.
تأكد من إمكان الكتابة في مجلد بيانات المستخدم.</source>
        <translation>The review was not saved: the user data file could not be written.
Make sure the user data folder can be written.</translation>
    </message>
    <message>
        <source>الصفحة %1 ، متأخرة %2 يوم</source>
        <translation>Page %1, %2 days overdue</translation>
    </message>
    <message>
        <source>الصفحة %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>محفوظ : %1 صفحة    قيد الحفظ : %2    للمراجعة اليوم : %3</source>
        <translation>Memorised: %1 pages    Being memorised: %2    To review today: %3</translation>
    </message>
    <message>
        <source>الجزء %1 : %2</source>
        <translation>Juz %1: %2</translation>
    </message>
    <message>
        <source>لا صفحات محفوظة</source>
        <translation>No pages memorised</translation>
    </message>
    <message>
        <source> ، </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>zarfan::ReadingCommands</name>
    <message>
        <source>صفحتان متقابلتان</source>
        <translation>Two facing pages</translation>
    </message>
    <message>
        <source>نسخ الصفحة صورة</source>
        <translation>Copy the page as an image</translation>
    </message>
    <message>
        <source>حفظ الصفحة صورة…</source>
        <translation>Save the page as an image…</translation>
    </message>
    <message>
        <source>نسخ الآية صورة</source>
        <translation>Copy the aya as an image</translation>
    </message>
    <message>
        <source>حفظ الآية صورة…</source>
        <translation>Save the aya as an image…</translation>
    </message>
</context>
<context>
    <name>zarfan::ReadingWindow</name>
    <message>
        <source>نسخ الصفحة صورة</source>
        <translation>Copy the page as an image</translation>
    </message>
    <message>
        <source>حفظ الصفحة صورة…</source>
        <translation>Save the page as an image…</translation>
    </message>
    <message>
        <source>صفحة-%1.png</source>
        <translation>page-%1.png</translation>
    </message>
    <message>
        <source>لا آية محددة في هذه الصفحة؛ انقر آية لتحديدها ثم أعد الأمر</source>
        <translation>No aya is selected on this page; click an aya to select it, then repeat the command</translation>
    </message>
    <message>
        <source>آية-%1-%2.png</source>
        <translation>aya-%1-%2.png</translation>
    </message>
    <message>
        <source>نسخ الآية صورة</source>
        <translation>Copy the aya as an image</translation>
    </message>
    <message>
        <source>حفظ الآية صورة…</source>
        <translation>Save the aya as an image…</translation>
    </message>
    <message>
        <source>صورة الآية</source>
        <translation>Aya image</translation>
    </message>
    <message>
        <source>مع التفسير</source>
        <translation>With the tafsir</translation>
    </message>
    <message>
        <source>موافق</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>إلغاء</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>حفظ الصورة</source>
        <translation>Save the image</translation>
    </message>
    <message>
        <source>تعذر حفظ الصورة في هذا الملف. اختر مكانًا آخر تملك الكتابة فيه ثم أعد المحاولة.
</source>
        <translation>Could not save the image in this file. Choose another place you can write to, then try again.
</translation>
    </message>
    <message>
        <source>خط Amiri Quran غير مثبت؛ يعرض النص العثماني بخط الآيات</source>
        <translation>The Amiri Quran font is not installed; the Uthmani text is shown in the aya font</translation>
    </message>
    <message>
        <source>الصورة أكبر من الحد، فصُنعت بحجم %1 × %2 نقطة</source>
        <translation>The image is larger than the limit, so it was made at %1 × %2 pixels</translation>
    </message>
</context>
<context>
    <name>zarfan::RecitalWindow</name>
    <message>
        <source>تحقق</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>سماع الصواب</source>
        <translation>Hear it read correctly</translation>
    </message>
    <message>
        <source>التسميع</source>
        <translation>Recite from memory</translation>
    </message>
    <message>
        <source>حتى الآية</source>
        <translation>Up to aya</translation>
    </message>
    <message>
        <source>نهاية الصفحة</source>
        <translation>End of the page</translation>
    </message>
    <message>
        <source>نهاية السورة</source>
        <translation>End of the sura</translation>
    </message>
    <message>
        <source>رقم آية النهاية</source>
        <translation>Number of the last aya</translation>
    </message>
    <message>
        <source>ما تحفظ</source>
        <translation>What you know by heart</translation>
    </message>
    <message>
        <source>نتيجة التسميع</source>
        <translation>Result of the recitation</translation>
    </message>
    <message>
        <source>البداية :</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>النهاية :</source>
        <translation>End:</translation>
    </message>
    <message>
        <source>النص أطول من أن يقابل مرة واحدة: اختر نهاية أقرب ثم تحقق.</source>
        <translation>The text is too long to compare at once: choose a nearer end, then check.</translation>
    </message>
    <message>
        <source>المكتوب %1 كلمة، والآيات المختارة %2 كلمة فقط: احذف الزائد أو اختر نهاية أبعد ثم تحقق.</source>
        <translation>You wrote %1 words, but the chosen ayas have only %2 words: delete the extra words or choose a later end, then check.</translation>
    </message>
</context>
<context>
    <name>zarfan::Recitalcheck</name>
    <message>
        <source>صحيح : %1 من %2</source>
        <translation>Correct: %1 of %2</translation>
    </message>
    <message>
        <source>في %1</source>
        <translation>In %1</translation>
    </message>
    <message>
        <source>خطأ : %1 ، كتبت : %2</source>
        <translation>Wrong: %1, you wrote: %2</translation>
    </message>
    <message>
        <source>ناقصة : %1</source>
        <translation>Missing: %1</translation>
    </message>
    <message>
        <source>زائدة : %1</source>
        <translation>Extra: %1</translation>
    </message>
    <message>
        <source> ؛ </source>
        <translation>; </translation>
    </message>
</context>
<context>
    <name>zarfan::Recitation</name>
    <message>
        <source>الملف المحفوظ تالف فحُذف، وسيُنزَّل من جديد في التشغيل التالي.</source>
        <translation>The saved file was damaged and has been deleted; it will be downloaded again next time.</translation>
    </message>
    <message>
        <source>الملف تالف أو ليس صوتا يمكن تشغيله؛ استبدله في مجلد القارئ.</source>
        <translation>The file is damaged or is not playable audio; replace it in the reciter&apos;s folder.</translation>
    </message>
    <message>
        <source>ينقص مكوّن لتشغيل الصوت؛ ثبّت الحزمتين gstreamer1.0-plugins-base و gstreamer1.0-plugins-good ثم أعد المحاولة.</source>
        <translation>A component for playing sound is missing; install the packages gstreamer1.0-plugins-base and gstreamer1.0-plugins-good, then try again.</translation>
    </message>
    <message>
        <source>لم يقبل جهاز إخراج الصوت التشغيل؛ تحقق من إعدادات الصوت ثم أعد المحاولة.</source>
        <translation>The audio output device refused to play; check the sound settings, then try again.</translation>
    </message>
    <message>
        <source>البسملة قبل %1</source>
        <translation>The basmala before %1</translation>
    </message>
    <message>
        <source>تعذر تشغيل تلاوة %1: %2
%3</source>
        <translation>Could not play the recitation of %1: %2
%3</translation>
    </message>
    <message>
        <source>الآية </source>
        <translation>aya </translation>
    </message>
    <message>
        <source>أضف قارئا من &quot;مصادر التلاوة&quot;</source>
        <translation>Add a reciter in &quot;Recitation sources&quot;</translation>
    </message>
    <message>
        <source>لا آيات في المقطع المختار</source>
        <translation>There are no ayas in the chosen passage</translation>
    </message>
    <message>
        <source>لا يوجد جهاز لإخراج الصوت؛ لا يمكن التشغيل</source>
        <translation>There is no audio output device; nothing can be played</translation>
    </message>
    <message>
        <source>تعذر تحميل تلاوة الآية %1
%2</source>
        <translation>Could not load the recitation of aya %1
%2</translation>
    </message>
    <message>
        <source>تعذر تشغيل تلاوة الآية %1: ليس ملفا صوتيا عاديا؛ استبدله بملف الآية.
%2</source>
        <translation>Could not play the recitation of aya %1: it is not an ordinary audio file; replace it with the aya&apos;s file.
%2</translation>
    </message>
    <message>
        <source>انقطع تدفق الصوت مرتين والملف سليم؛ أعد التشغيل.</source>
        <translation>The audio stream broke off twice, though the file is intact; play it again.</translation>
    </message>
</context>
<context>
    <name>zarfan::RecitationCommands</name>
    <message>
        <source>التلاوة</source>
        <translation>Recitation</translation>
    </message>
    <message>
        <source>تشغيل</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>إيقاف</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>الآية السابقة</source>
        <translation>Previous aya</translation>
    </message>
    <message>
        <source>الآية التالية</source>
        <translation>Next aya</translation>
    </message>
    <message>
        <source>مصادر التلاوة</source>
        <translation>Recitation sources</translation>
    </message>
    <message>
        <source>تنزيل للاستماع دون اتصال</source>
        <translation>Download for offline listening</translation>
    </message>
    <message>
        <source>التلاوات المحفوظة</source>
        <translation>Saved recitations</translation>
    </message>
    <message>
        <source>حذف التلاوات المحفوظة</source>
        <translation>Delete saved recitations</translation>
    </message>
    <message>
        <source>تنزيل التلاوة: </source>
        <translation>Downloading the recitation: </translation>
    </message>
    <message>
        <source>تعذرت قراءة %1 من مصادر التلاوة المحفوظة فحذفت منها؛ بقية القراء كما هم، ويمكنك إضافة المحذوف من &quot;مصادر التلاوة&quot;</source>
        <translation>%1 of the saved recitation sources could not be read and were removed; the other reciters are as they were, and you can add the removed ones again in &quot;Recitation sources&quot;</translation>
    </message>
    <message>
        <source>إيقاف مؤقت</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>لا توجد تلاوات محفوظة</source>
        <translation>There are no saved recitations</translation>
    </message>
    <message>
        <source>حذف التلاوات المحفوظة (%1)؟</source>
        <translation>Delete the saved recitations (%1)?</translation>
    </message>
    <message>
        <source>تعذر حذف بعض التلاوات المحفوظة</source>
        <translation>Some saved recitations could not be deleted</translation>
    </message>
</context>
<context>
    <name>zarfan::RecitationDownloader</name>
    <message>
        <source>انقضت مهلة التحميل ولم يجب خادم التلاوة</source>
        <translation>The download timed out and the recitation server did not answer</translation>
    </message>
    <message>
        <source>وصل ملف الآية فارغا</source>
        <translation>The aya&apos;s file arrived empty</translation>
    </message>
    <message>
        <source>وصل ملف الآية ناقصا؛ أعد المحاولة</source>
        <translation>The aya&apos;s file arrived incomplete; try again</translation>
    </message>
    <message>
        <source>جواب الخادم ليس ملفا صوتيا؛ تحقق من عنوان القارئ</source>
        <translation>The server&apos;s answer is not an audio file; check the reciter&apos;s address</translation>
    </message>
    <message>
        <source>ملف الآية غير موجود على خادم التلاوة؛ تحقق من عنوان القارئ</source>
        <translation>The aya&apos;s file is not on the recitation server; check the reciter&apos;s address</translation>
    </message>
    <message>
        <source>لم يعثر على خادم التلاوة؛ تحقق من الاتصال بالشبكة ومن عنوان القارئ</source>
        <translation>The recitation server was not found; check the network connection and the reciter&apos;s address</translation>
    </message>
    <message>
        <source>تعذر الاتصال بخادم التلاوة؛ تحقق من الاتصال بالشبكة ثم أعد المحاولة</source>
        <translation>Could not connect to the recitation server; check the network connection, then try again</translation>
    </message>
    <message>
        <source>تعذر الاتصال الآمن بخادم التلاوة</source>
        <translation>Could not make a secure connection to the recitation server</translation>
    </message>
    <message>
        <source>رفض خادم التلاوة إعطاء ملف الآية</source>
        <translation>The recitation server refused to give the aya&apos;s file</translation>
    </message>
    <message>
        <source>ملف الآية أكبر من %1 م.ب فلم يحفظ؛ قد يكون عنوان القارئ خطأ</source>
        <translation>The aya&apos;s file is larger than %1 MB, so it was not saved; the reciter&apos;s address may be wrong</translation>
    </message>
    <message>
        <source>وصل ملف الآية تالفا: ليس ملفا صوتيا كاملا؛ أعد المحاولة، وإن تكرر فتحقق من عنوان القارئ</source>
        <translation>The aya&apos;s file arrived damaged: it is not a complete audio file; try again, and if it happens again, check the reciter&apos;s address</translation>
    </message>
    <message>
        <source>تعذرت كتابة ملف الآية كاملا في ذاكرة التلاوات؛ قد يكون القرص ممتلئا، فلم يحفظ منه شيء
%1
%2</source>
        <translation>The aya&apos;s file could not be written in full to the recitation cache; the disk may be full, so none of it was saved
%1
%2</translation>
    </message>
</context>
<context>
    <name>zarfan::Reciter</name>
    <message>
        <source>اكتب اسم القارئ</source>
        <translation>Write the reciter&apos;s name</translation>
    </message>
    <message>
        <source>اختر مجلد التلاوة أو اكتب عنوانها</source>
        <translation>Choose the recitation&apos;s folder or write its address</translation>
    </message>
    <message>
        <source>العنوان يجب أن يبدأ بـ http أو https وليس %1</source>
        <translation>The address must begin with http or https, not %1</translation>
    </message>
    <message>
        <source>العنوان يجب أن يحوي {sura} و {aya}</source>
        <translation>The address must contain {sura} and {aya}</translation>
    </message>
    <message>
        <source>العنوان غير صالح: %1</source>
        <translation>The address is not valid: %1</translation>
    </message>
    <message>
        <source>المجلد غير موجود: %1</source>
        <translation>The folder does not exist: %1</translation>
    </message>
    <message>
        <source>ضع {sura} و {aya} في مسار العنوان أو في استعلامه، لا بعد العلامة #؛ فما بعدها لا يصل إلى الخادم وتنزل كل آية الملف نفسه</source>
        <translation>Put {sura} and {aya} in the address&apos;s path or query, not after the # sign; what follows it does not reach the server, and every aya would download the same file</translation>
    </message>
    <message>
        <source>مجلد ذاكرة التلاوات رابط إلى مكان آخر، فلا ينزل البرنامج فيه ولا يعد ما فيه ولا يحذف منه شيئا؛ ضع مكانه مجلدا عاديا ثم أعد المحاولة:
%1</source>
        <translation>The recitation cache folder is a link to another place, so the program does not download into it, count what is in it or delete anything from it; put an ordinary folder in its place, then try again:
%1</translation>
    </message>
    <message>
        <source>%1 ك.ب</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 م.ب</source>
        <translation>%1 MB</translation>
    </message>
</context>
<context>
    <name>zarfan::ReciterWindow</name>
    <message>
        <source>مصادر التلاوة</source>
        <translation>Recitation sources</translation>
    </message>
    <message>
        <source>القراء</source>
        <translation>Reciters</translation>
    </message>
    <message>
        <source>اسم القارئ</source>
        <translation>Reciter&apos;s name</translation>
    </message>
    <message>
        <source>المجلد أو عنوان التلاوة</source>
        <translation>Folder or address of the recitation</translation>
    </message>
    <message>
        <source>اختيار مجلد...</source>
        <translation>Choose a folder...</translation>
    </message>
    <message>
        <source>إضافة</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>حفظ التعديل</source>
        <translation>Save the change</translation>
    </message>
    <message>
        <source>حذف</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>إضافة من القائمة</source>
        <translation>Add from the list</translation>
    </message>
    <message>
        <source>القارئ :</source>
        <translation>Reciter:</translation>
    </message>
    <message>
        <source>المجلد أو العنوان :</source>
        <translation>Folder or address:</translation>
    </message>
    <message>
        <source>قراء معروفون</source>
        <translation>Known reciters</translation>
    </message>
    <message>
        <source>تسمع تلاوة هؤلاء عبر الشبكة، وتحفظ كل آية بعد سماعها أو بـ&quot;تنزيل للاستماع دون اتصال&quot;</source>
        <translation>These recitations play over the network; each aya is kept once heard, or with &quot;Download for offline listening&quot;</translation>
    </message>
    <message>
        <source>إلغاء</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>مجلد التلاوة</source>
        <translation>Recitation folder</translation>
    </message>
</context>
<context>
    <name>zarfan::ResultsTextWindow</name>
    <message>
        <source>النتائج مع النص</source>
        <translation>Results with text</translation>
    </message>
    <message>
        <source>نسخ</source>
        <translation>Copy</translation>
    </message>
</context>
<context>
    <name>zarfan::SavedRecitationsWindow</name>
    <message>
        <source>التلاوات المحفوظة</source>
        <translation>Saved recitations</translation>
    </message>
    <message>
        <source>القارئ</source>
        <translation>Reciter</translation>
    </message>
    <message>
        <source>السور الكاملة</source>
        <translation>Complete suras</translation>
    </message>
    <message>
        <source>الحجم</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>حذف تلاوات القارئ</source>
        <translation>Delete the reciter&apos;s recitations</translation>
    </message>
    <message>
        <source>قارئ لم يعد في مصادر التلاوة</source>
        <translation>A reciter no longer in the recitation sources</translation>
    </message>
    <message>
        <source>%1 من %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>حذف تلاوات %1 المحفوظة (%2)؟</source>
        <translation>Delete the saved recitations of %1 (%2)?</translation>
    </message>
    <message>
        <source>تعذر حذف بعض تلاوات %1 المحفوظة</source>
        <translation>Some saved recitations of %1 could not be deleted</translation>
    </message>
</context>
<context>
    <name>zarfan::Savefiledialog</name>
    <message>
        <source>الملف %1 موجود، هل تريد استبداله؟</source>
        <translation>The file %1 exists. Replace it?</translation>
    </message>
</context>
<context>
    <name>zarfan::SearchMemory</name>
    <message>
        <source>هل تقصد : </source>
        <translation>Did you mean: </translation>
    </message>
    <message>
        <source> ، </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>zarfan::SimilarAyasWindow</name>
    <message>
        <source>يشترك في %1 كلمات : %2</source>
        <translation>Shares %1 words: %2</translation>
    </message>
    <message>
        <source>قبلها : </source>
        <translation>Before it: </translation>
    </message>
    <message>
        <source>بعدها : </source>
        <translation>After it: </translation>
    </message>
    <message>
        <source> ، </source>
        <translation>, </translation>
    </message>
    <message>
        <source>عرض في النتائج</source>
        <translation>Show in the results</translation>
    </message>
    <message>
        <source>الآيات المتشابهة</source>
        <translation>Similar ayas</translation>
    </message>
    <message>
        <source>لا آية حالية: اختر آية ثم اطلب الآيات المتشابهة.</source>
        <translation>No current aya: choose an aya, then ask for the similar ayas.</translation>
    </message>
    <message>
        <source>لا آيات متشابهة مع %1.</source>
        <translation>No ayas are similar to %1.</translation>
    </message>
    <message>
        <source>الآيات المتشابهة مع %1 : %2</source>
        <translation>Ayas similar to %1: %2</translation>
    </message>
</context>
<context>
    <name>zarfan::SuraTables</name>
    <message>
        <source>مكية</source>
        <translation>Meccan</translation>
    </message>
    <message>
        <source>مدنية</source>
        <translation>Medinan</translation>
    </message>
</context>
<context>
    <name>zarfan::TajweedColours</name>
    <message>
        <source>ألوان التجويد</source>
        <translation>Tajweed colours</translation>
    </message>
    <message>
        <source>دليل ألوان التجويد</source>
        <translation>Tajweed colour guide</translation>
    </message>
    <message>
        <source>أحكام التجويد</source>
        <translation>Tajweed rules</translation>
    </message>
    <message>
        <source>ألوان التجويد للرسم العثماني: عُرضت الصفحة به</source>
        <translation>Tajweed colours need the Uthmani script: the page is now shown in it</translation>
    </message>
    <message>
        <source>ألوان التجويد غير مفعلة</source>
        <translation>Tajweed colours are turned off</translation>
    </message>
    <message>
        <source>لا آية محددة في هذه الصفحة</source>
        <translation>No aya is selected on this page</translation>
    </message>
    <message>
        <source>لا حكم تجويد في هذه الآية</source>
        <translation>No tajweed rule in this aya</translation>
    </message>
    <message>
        <source>لا حكم تجويد في هذه الكلمة</source>
        <translation>No tajweed rule in this word</translation>
    </message>
    <message>
        <source>التجويد: %1</source>
        <translation>Tajweed: %1</translation>
    </message>
</context>
<context>
    <name>zarfan::TajweedLegend</name>
    <message>
        <source>مثال من الصفحة: %1</source>
        <translation>Example from the page: %1</translation>
    </message>
</context>
<context>
    <name>zarfan::Translation</name>
    <message>
        <source>زرفان</source>
        <translation>Zarfan</translation>
    </message>
</context>
<context>
    <name>zarfan::TranslationPane</name>
    <message>
        <source>الترجمة</source>
        <translation>Translation</translation>
    </message>
    <message>
        <source>بدون ترجمة</source>
        <translation>Without translation</translation>
    </message>
    <message>
        <source>مع الترجمة</source>
        <translation>With translation</translation>
    </message>
</context>
<context>
    <name>zarfan::TranslationSearchCommand</name>
    <message>
        <source>اختر ترجمة من قائمة «الترجمة» أولًا</source>
        <translation>Choose a translation from the &quot;Translation&quot; menu first</translation>
    </message>
    <message>
        <source>لا يبحث في الترجمة إلا عن كلمات، بينها + أو | أو - وأقواس متوازنة</source>
        <translation>The translation can be searched only for words, with +, | or - between them and balanced brackets</translation>
    </message>
    <message>
        <source>لم توجد هذه الكلمات في الترجمة</source>
        <translation>These words were not found in the translation</translation>
    </message>
</context>
<context>
    <name>zarfan::TranslationUnder</name>
    <message>
        <source>الترجمة تحت كل آية</source>
        <translation>Translation under each aya</translation>
    </message>
</context>
<context>
    <name>zarfan::UpdateWindow</name>
    <message>
        <source>في حال كان نص التحديث غريبا أو فارغ فيعود السبب  لأحد هذه النقاط , 1- لم تتصل بالإنترنت , 2- موقع التحديث مغلق </source>
        <translation>If the update text is strange or empty, the cause is one of these: 1- you are not connected to the internet, 2- the update site is closed </translation>
    </message>
</context>
<context>
    <name>zarfan::WindowOpener</name>
    <message>
        <source>إن نتائج البحث ليست لسورة واحدة</source>
        <translation>The search results are not from a single sura</translation>
    </message>
    <message>
        <source>خطأ</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>zarfan::WordFactsMenu</name>
    <message>
        <source>بحث بهذا الجذر</source>
        <translation>Search by this root</translation>
    </message>
    <message>
        <source>بحث بهذا الأصل</source>
        <translation>Search by this stem</translation>
    </message>
    <message>
        <source>الجذر : %1    أصل الكلمة : %2</source>
        <translation>Root: %1    Stem: %2</translation>
    </message>
</context>
<context>
    <name>zarfan::WordGlossTip</name>
    <message>
        <source>معنى الكلمة</source>
        <translation>Word meaning</translation>
    </message>
</context>
</TS>
