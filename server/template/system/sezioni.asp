<!--#include virtual="comune.inc"-->
<!--#include virtual="contenuti.inc"-->
<%
// The site's sections: the top ones, or one section with its subsections
// and its articles a page at a time.
var contenuti = Server.CreateObject("QTR50.Contenuti");
contenuti.SetConn(generale.Conn);
var sezioneCorrente = Numero(Request.QueryString("IDSezione"));
var paginaRichiesta = Numero(Request.QueryString("Page")) || 1;
var sezione = null;
if (sezioneCorrente > 0 && contenuti.LeggiSezione(sezioneCorrente))
    sezione = { nome: String(contenuti.NomeSezione), descrizione: String(contenuti.DescrizioneSezione),
                percorso: String(contenuti.PercorsoSezioni) };

function IndirizzoSezione(id, pagina) {
    var argomenti = { IDSezione: id };
    if (pagina > 1)
        argomenti.Page = pagina;
    return Indirizzo("/sezioni.asp", argomenti);
}
var paginaCorrente = sezione ? IndirizzoSezione(sezioneCorrente, paginaRichiesta) : "/sezioni.asp";
var titoloPagina = sezione ? sezione.nome : T("PMTCONTENUTI", "Articoli");
%>
<!--#include virtual="testa.inc"-->
<% if (sezioneCorrente > 0 && !sezione) {
       NonTrovato(); %>
<section class="avviso" id="sezione-non-trovata">
  <h1><%= H(T("PMTCONTENUTI", "Articoli")) %></h1>
  <p><%= H(T("PMTNONTROVATO", "La pagina che cercavi non c'è.")) %></p>
  <p><a class="bottone" href="/sezioni.asp"><%= H(T("PMTCONTENUTI", "Articoli")) %></a></p>
</section>
<% } else { %>
<nav class="briciole percorso" aria-label="breadcrumb"><a href="/sezioni.asp"><%= H(T("PMTCONTENUTI", "Articoli")) %></a><% if (sezione) { %> › <% if (sezione.percorso !== "") { %><%= sezione.percorso %> › <% } %><span><%= H(sezione.nome) %></span><% } %></nav>
<header class="intestazione-categoria">
  <h1><%= H(sezione ? sezione.nome : T("PMTCONTENUTI", "Articoli")) %></h1>
<%   if (sezione) { %>
  <p><%= Paragrafi(sezione.descrizione) %></p>
<%   } %>
</header>
<%   if (contenuti.ApriPaginaSezioni(sezioneCorrente)) { %>
<ul class="elenco-sezioni" id="sezioni">
<%       do { %>
  <li class="riga-sezione" data-sezione="<%= contenuti.IDSezione %>">
    <a class="titolo" href="<%= H(IndirizzoSezione(contenuti.IDSezione, 1)) %>"><%= H(contenuti.NomeSezione) %></a>
    <p><%= H(contenuti.DescrizioneSezione) %></p>
    <p class="dettaglio"><%= H(T("PMTNUMEROARTICOLI", "[N] articoli", contenuti.NumeroArticoliSezione)) %></p>
  </li>
<%       } while (contenuti.LeggiSezioneSuccessiva()); %>
</ul>
<%   }
     contenuti.ChiudiPaginaSezioni();
     if (sezione) {
         if (contenuti.ApriPaginaArticoli(paginaRichiesta, sezioneCorrente)) {
             var pagina = contenuti.PaginaCorrenteArticoli;
             var pagine = contenuti.TotalePagineArticoli; %>
<ul class="elenco-articoli" id="articoli">
<%           for (var i = 0; i < contenuti.LunghezzaPaginaArticoli; ++i) { %>
  <li class="riga-articolo" data-articolo="<%= contenuti.IDArticolo %>">
    <a class="titolo" href="<%= H(Indirizzo("/articolo.asp", { IDArticolo: contenuti.IDArticolo })) %>"><%= H(contenuti.TitoloArticolo) %></a>
<%               if (String(contenuti.DataPubblicazioneArticolo) !== "") { %>
    <p class="dettaglio"><%= H(contenuti.DataPubblicazioneArticolo) %></p>
<%               } %>
    <p><%= H(contenuti.EstrattoArticolo) %>…</p>
  </li>
<%               if (!contenuti.LeggiArticoloSuccessivo())
                     break;
             } %>
</ul>
<%= Pagine(function (n) { return IndirizzoSezione(sezioneCorrente, n); }, pagina, pagine) %>
<%       } else { %>
<p class="avviso" id="nessun-articolo"><%= H(T("PMTNESSUNARTICOLO", "In questa sezione non ci sono ancora articoli.")) %></p>
<%       }
         contenuti.ChiudiPaginaArticoli();
     }
   }
contenuti.Free(); %>
<!--#include virtual="piede.inc"-->
