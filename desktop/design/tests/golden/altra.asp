<h1>20</h1>
<link rel="stylesheet" href="/images/altro.css" type="text/css">
<link rel="stylesheet" href="/images/sito.css" type="text/css">
riga 21
<link rel="stylesheet" href="/images/altro.css" type="text/css">
<link rel="stylesheet" href="/images/sito.css" type="text/css">

fine
<!-- #include virtual="/include22.asp"-->


