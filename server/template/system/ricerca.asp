<!--#include virtual="comune.inc"-->
<%
// Keyword search with paging: a new search comes with Action=i and the
// words typed; the page links carry only the page number and reuse them.
var ricerca = Server.CreateObject("QTR50.Ricerca");
ricerca.SetConn(generale.Conn);
var trovati = ricerca.ApriPaginaRisultati();
var testoRicerca = Session("TestoRicerca") === undefined ? "" : String(Session("TestoRicerca"));
var paginaCorrente = "/ricerca.asp";
var titoloPagina = T("PMTRICERCA", "Ricerca");

function IndirizzoRicerca(pagina) {
    return Indirizzo("/ricerca.asp", { Page: pagina });
}
%>
<!--#include virtual="testa.inc"-->
<section class="sezione ricerca">
  <h1><%= H(T("PMTRICERCA", "Ricerca")) %></h1>
  <form class="modulo-ricerca" method="get" action="/ricerca.asp" role="search">
    <input type="hidden" name="Action" value="i">
    <input type="search" name="ParoleChiave" value="<%= H(testoRicerca) %>" aria-label="<%= H(T("PMTRICERCA", "Ricerca")) %>">
    <button class="bottone" type="submit"><%= H(T("PMTCERCA", "Cerca")) %></button>
  </form>
<% if (trovati) { %>
  <p class="numero-risultati" id="numero-risultati"><%= H(T("PMTRISULTATI", "[N] risultati", ricerca.NumeroRisultati)) %></p>
  <ul class="schede" id="risultati">
<%   var mostrati = 0;
     do {
         if (ricerca.TipoRecord == 1 && catalogo.LeggiProdotto(ricerca.IDRecord)) {
             SchedaProdotto();
         } else if (ricerca.TipoRecord == 0 && catalogo.LeggiCategoria(ricerca.IDRecord)) { %>
    <li class="scheda"><a href="<%= H(IndirizzoCategoria(ricerca.IDRecord, 1)) %>"><span class="scheda-nome"><%= H(catalogo.NomeCategoria) %></span><span class="scheda-breve"><%= H(catalogo.DescrizioneCategoria) %></span></a></li>
<%       }
         ++mostrati;
     } while (mostrati < ricerca.LunghezzaPagina && ricerca.LeggiRisultatoSuccessivo()); %>
  </ul>
<%   if (ricerca.TotalePagine > 1) { %>
  <nav class="pagine" aria-label="<%= H(T("PMTPAGINA", "Pagina [N] di [M]", ricerca.PaginaCorrente, ricerca.TotalePagine)) %>">
<%     if (!ricerca.ControlloPrimaPagina()) { %>
    <a class="bottone" rel="prev" href="<%= H(IndirizzoRicerca(ricerca.PaginaCorrente - 1)) %>">‹ <%= H(T("PMTPRECEDENTE", "Precedente")) %></a>
<%     } %>
    <span class="numero attivo" aria-current="page"><%= ricerca.PaginaCorrente %></span>
<%     if (!ricerca.ControlloUltimaPagina()) { %>
    <a class="bottone" rel="next" href="<%= H(IndirizzoRicerca(ricerca.PaginaCorrente + 1)) %>"><%= H(T("PMTSUCCESSIVA", "Successiva")) %> ›</a>
<%     } %>
  </nav>
<%   }
     ricerca.ChiudiPaginaRisultati();
   } else if (testoRicerca !== "") { %>
  <p class="avviso" id="nessun-risultato"><%= H(T("PMTNESSUNRISULTATO", "Nessun risultato per «[N]».", testoRicerca)) %></p>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% ricerca.Free(); %>
