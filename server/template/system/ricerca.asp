<%
// Keyword search with paging: a new search comes with Action=i and the
// words typed; the page links carry only the page number and reuse them.
function Html(testo) {
    return String(testo === undefined || testo === null ? "" : testo)
        .replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
}
var ricerca = Server.CreateObject("QTR50.Ricerca");
var catalogo = Server.CreateObject("QTR50.Catalogo");
var trovati = ricerca.ApriPaginaRisultati();
var testo = Session("TestoRicerca") === undefined ? "" : Session("TestoRicerca");
var paginaCategorie = Session("URLPaginaProdotti") ? Session("URLPaginaProdotti") : "prodotti.asp";

// The link and the name of one result.
function Risultato(tipo, id) {
    if (tipo == 1 && catalogo.LeggiProdotto(id))
        return '<a href="prodotto.asp?IDProdotto=' + id + '">' + Html(catalogo.NomeProdotto) + '</a>';
    if (tipo == 0 && catalogo.LeggiCategoria(id))
        return '<a href="' + Html(paginaCategorie) + '?Action=I&amp;IDCategoria=' + id + '">' + Html(catalogo.NomeCategoria) + '</a>';
    if (tipo == 2)
        return 'Sezione ' + id;
    if (tipo == 3)
        return 'Articolo ' + id;
    return '';
}
%><!DOCTYPE html>
<html lang="it">
<head>
<meta charset="utf-8">
<title>Ricerca</title>
</head>
<body>
<h1>Ricerca</h1>
<form method="get" action="ricerca.asp" id="cerca">
<input type="hidden" name="Action" value="i">
<input type="text" name="ParoleChiave" value="<%= Html(testo) %>" size="40">
<input type="submit" value="Cerca">
</form>
<% if (trovati) { %>
<p id="numero"><%= ricerca.NumeroRisultati %> risultati per «<%= Html(testo) %>», pagina <%= ricerca.PaginaCorrente %> di <%= ricerca.TotalePagine %></p>
<ul id="risultati">
<% var mostrati = 0;
   do {
       var voce = Risultato(ricerca.TipoRecord, ricerca.IDRecord);
       if (voce != "") { %>
<li><%= voce %></li>
<%     }
       mostrati++;
   } while (mostrati < ricerca.LunghezzaPagina && ricerca.LeggiRisultatoSuccessivo()); %>
</ul>
<p class="pagine">
<% if (!ricerca.ControlloPrimaPagina()) { %><a id="precedente" href="ricerca.asp?Page=<%= ricerca.PaginaCorrente - 1 %>">« Precedente</a><% } %>
<% if (!ricerca.ControlloUltimaPagina()) { %><a id="successiva" href="ricerca.asp?Page=<%= ricerca.PaginaCorrente + 1 %>">Successiva »</a><% } %>
</p>
<% ricerca.ChiudiPaginaRisultati();
   } else if (testo != "") { %>
<p id="nessuno">Nessun risultato per «<%= Html(testo) %>».</p>
<% } %>
</body>
</html>
<% catalogo.Free(); ricerca.Free(); %>
