<html><head>
<link rel="stylesheet" href="/images/base.css" type="text/css">
<link rel="stylesheet" href="/images/menu.css" type="text/css">
<link rel="stylesheet" href="/images/sito.css" type="text/css">
</head>
<body class="pagina10" style="background-image:url(/images/<%=Lingua%>/sfondo.gif);">
<div class="menu12" id="m11"><span class='menu12'>Benvenuti</span><b>si</b>[]{uno}()<p class="Blocco1">b</p><i class='testo2'>t</i><ul class="menu a"></ul>%%Orfano%%resta<link rel="stylesheet" href="/images/base.css" type="text/css">
<link rel="stylesheet" href="/images/menu.css" type="text/css">
<link rel="stylesheet" href="/images/sito.css" type="text/css">
</div>
<!-- #include virtual="/include12.asp"-->
<!-- #include virtual="/include12.asp"-->
<hr class="Blocco1">

</body></html>

