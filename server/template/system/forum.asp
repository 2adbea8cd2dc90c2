<!--#include virtual="comune.inc"-->
<!--#include virtual="contenuti.inc"-->
<!--#include virtual="forum.inc"-->
<%
// The forum: its topics with their counts; a topic's subtopics, its
// threads a page at a time, newest first, and a new thread's form.
var forum = Server.CreateObject("QTR50.Forum");
forum.SetConn(generale.Conn);
var argomentoCorrente = Numero(Posta() ? Request.Form("IDArgomentoPadre") : Request.QueryString("IDArgomento"));
var paginaRichiesta = Numero(Request.QueryString("Page")) || 1;
var esito = "", errore = "";
if (Posta()) {
    esito = forum.InvioIntervento() ? "ok" : "no";
    errore = String(forum.Errore);
}
var modulo = ModuloDa(forum, esito);
var argomento = null;
if (argomentoCorrente > 0 && forum.LeggiArgomento(argomentoCorrente))
    argomento = { nome: String(forum.NomeArgomento), descrizione: String(forum.DescrizioneArgomento),
                  percorso: String(forum.PercorsoArgomenti) };
forum.ChiudiPaginaArgomenti();

function IndirizzoArgomento(id, pagina) {
    var argomenti = { IDArgomento: id };
    if (pagina > 1)
        argomenti.Page = pagina;
    return Indirizzo("/forum.asp", argomenti);
}
var paginaCorrente = argomento ? IndirizzoArgomento(argomentoCorrente, paginaRichiesta) : "/forum.asp";
var titoloPagina = argomento ? argomento.nome : T("PMTFORUM", "Forum");
%>
<!--#include virtual="testa.inc"-->
<% if (argomentoCorrente > 0 && !argomento) {
       NonTrovato(); %>
<section class="avviso" id="argomento-non-trovato">
  <h1><%= H(T("PMTFORUM", "Forum")) %></h1>
  <p><%= H(T("PMTNONTROVATO", "La pagina che cercavi non c'è.")) %></p>
</section>
<% } else { %>
<nav class="briciole percorso" aria-label="breadcrumb"><a href="/forum.asp"><%= H(T("PMTFORUM", "Forum")) %></a><% if (argomento) { %> › <% if (argomento.percorso !== "") { %><%= argomento.percorso %> › <% } %><span><%= H(argomento.nome) %></span><% } %></nav>
<header class="intestazione-categoria">
  <h1><%= H(argomento ? argomento.nome : T("PMTFORUM", "Forum")) %></h1>
<%   if (argomento) { %>
  <p><%= Paragrafi(argomento.descrizione) %></p>
<%   } %>
</header>
<%   EsitoIntervento(esito, errore);
     if (forum.ApriPaginaArgomenti(argomentoCorrente)) { %>
<ul class="elenco-argomenti" id="argomenti">
<%       do { %>
  <li class="riga-argomento" data-argomento="<%= forum.IDArgomento %>">
    <a class="titolo" href="<%= H(IndirizzoArgomento(forum.IDArgomento, 1)) %>"><%= H(forum.NomeArgomento) %></a>
    <p><%= H(forum.DescrizioneArgomento) %></p>
    <p class="dettaglio"><%= H(T("PMTDISCUSSIONIINTERVENTI", "[N] discussioni, [M] messaggi", forum.NumeroDiscussioniArgomento, forum.NumeroInterventiArgomento)) %></p>
  </li>
<%       } while (forum.LeggiArgomentoSuccessivO()); %>
</ul>
<%   }
     forum.ChiudiPaginaArgomenti();
     if (argomento) {
         if (forum.ApriPaginaDiscussioni(paginaRichiesta, argomentoCorrente)) {
             var pagina = forum.PaginaCorrenteDiscussioni;
             var pagine = forum.TotalePagineDiscussioni; %>
<h2><%= H(T("PMTDISCUSSIONI", "Discussioni")) %></h2>
<ul class="elenco-interventi" id="discussioni">
<%           for (var i = 0; i < forum.LunghezzaPaginaDiscussioni; ++i) { %>
  <li class="riga-discussione" data-intervento="<%= forum.IDIntervento %>">
    <a class="titolo" href="<%= H(Indirizzo("/discussione.asp", { IDIntervento: forum.IDIntervento })) %>"><%= H(forum.OggettoIntervento) %></a>
    <p class="dettaglio"><%= H(forum.MittenteIntervento) %> · <%= H(DataOra(forum.DataIntervento, forum.OraIntervento)) %></p>
    <p><%= H(forum.EstrattoIntervento) %></p>
  </li>
<%               if (!forum.LeggiDiscussioneSuccessiva())
                     break;
             } %>
</ul>
<%= Pagine(function (n) { return IndirizzoArgomento(argomentoCorrente, n); }, pagina, pagine) %>
<%       } else { %>
<p class="avviso" id="nessuna-discussione"><%= H(T("PMTNESSUNADISCUSSIONE", "Non ci sono ancora discussioni: apri la prima!")) %></p>
<%       }
         forum.ChiudiPaginaDiscussioni();
         ModuloIntervento(modulo, "/forum.asp", argomentoCorrente, 0, T("PMTNUOVADISCUSSIONE", "Nuova discussione"));
     }
   }
forum.Free(); %>
<!--#include virtual="piede.inc"-->
