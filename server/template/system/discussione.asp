<!--#include virtual="comune.inc"-->
<!--#include virtual="contenuti.inc"-->
<!--#include virtual="forum.inc"-->
<%
// One thread: its opening post, its replies a page at a time, newest
// first, and the reply form.
var forum = Server.CreateObject("QTR50.Forum");
forum.SetConn(generale.Conn);
var discussione = Numero(Posta() ? Request.Form("IDInterventoPadre") : Request.QueryString("IDIntervento"));
var paginaRichiesta = Numero(Request.QueryString("Page")) || 1;
var esito = "", errore = "";
if (Posta() && discussione > 0) {
    esito = forum.InvioIntervento() ? "ok" : "no";
    errore = String(forum.Errore);
}
var modulo = ModuloDa(forum, esito);
var apertura = null;
if (discussione > 0 && forum.LeggiIntervento(discussione) && forum.IDInterventoPadre === 0)
    apertura = { oggetto: String(forum.OggettoIntervento), mittente: String(forum.MittenteIntervento),
                 quando: DataOra(forum.DataIntervento, forum.OraIntervento), testo: String(forum.TestoIntervento),
                 argomento: forum.IDArgomento, nomeArgomento: String(forum.NomeArgomento),
                 percorso: String(forum.PercorsoArgomenti) };

function IndirizzoDiscussione(pagina) {
    var argomenti = { IDIntervento: discussione };
    if (pagina > 1)
        argomenti.Page = pagina;
    return Indirizzo("/discussione.asp", argomenti);
}
var paginaCorrente = IndirizzoDiscussione(paginaRichiesta);
var titoloPagina = apertura ? apertura.oggetto : T("PMTFORUM", "Forum");
%>
<!--#include virtual="testa.inc"-->
<% if (!apertura) {
       NonTrovato(); %>
<section class="avviso" id="discussione-non-trovata">
  <h1><%= H(T("PMTFORUM", "Forum")) %></h1>
  <p><%= H(T("PMTNONTROVATO", "La pagina che cercavi non c'è.")) %></p>
  <p><a class="bottone" href="/forum.asp"><%= H(T("PMTFORUM", "Forum")) %></a></p>
</section>
<% } else { %>
<nav class="briciole percorso" aria-label="breadcrumb"><a href="/forum.asp"><%= H(T("PMTFORUM", "Forum")) %></a> › <%= apertura.percorso %></nav>
<article class="intervento" id="apertura">
  <h1><%= H(apertura.oggetto) %></h1>
  <p class="dettaglio"><%= H(apertura.mittente) %> · <%= H(apertura.quando) %></p>
  <p class="testo-intervento"><%= TestoVisitatore(apertura.testo) %></p>
</article>
<%   EsitoIntervento(esito, errore);
     if (forum.ApriPaginaRisposte(paginaRichiesta, discussione)) {
         var pagina = forum.PaginaCorrenteRisposte;
         var pagine = forum.TotalePagineRisposte; %>
<h2><%= H(T("PMTRISPOSTE", "Risposte")) %></h2>
<ul class="elenco-interventi" id="risposte">
<%       for (var i = 0; i < forum.LunghezzaPaginaRisposte; ++i) { %>
  <li class="riga-risposta" data-intervento="<%= forum.IDIntervento %>">
    <strong><%= H(forum.OggettoIntervento) %></strong>
    <p class="dettaglio"><%= H(forum.MittenteIntervento) %> · <%= H(DataOra(forum.DataIntervento, forum.OraIntervento)) %></p>
    <p class="testo-intervento"><%= TestoVisitatore(forum.TestoIntervento) %></p>
  </li>
<%           if (!forum.LeggiRispostaSuccessiva())
                 break;
         } %>
</ul>
<%= Pagine(IndirizzoDiscussione, pagina, pagine) %>
<%   }
     forum.ChiudiPaginaRisposta();
     if (modulo.oggetto === "")
         modulo.oggetto = "Re: " + apertura.oggetto;
     ModuloIntervento(modulo, "/discussione.asp", apertura.argomento, discussione, T("PMTRISPONDI", "Rispondi"));
   }
forum.Free(); %>
<!--#include virtual="piede.inc"-->
